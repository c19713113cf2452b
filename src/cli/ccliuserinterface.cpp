#include "ccliuserinterface.h"

namespace {
// Appends the lines of text to line: after a line that ends a sentence with a blank, after
// any other (a file name) with ": ".
void AppendLines(std::string& line, const std::string& text)
{
    size_t begin = 0;
    while (begin <= text.size()) {
        size_t end = text.find_first_of("\r\n", begin);
        if (end == std::string::npos)
            end = text.size();
        if (end > begin) {
            if (!line.empty())
                line += std::string(".!?:").find(line.back()) != std::string::npos ? " " : ": ";
            line.append(text, begin, end - begin);
        }
        begin = end + 1;
    }
}
} // namespace

void CCliUserInterface::MessageBox(const std::string& text, Icon, const std::string& details)
{
    std::string line;
    AppendLines(line, text);
    AppendLines(line, details);
    m_err << line << '\n';
    m_err.flush();
}
