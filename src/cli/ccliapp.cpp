#include "ccliapp.h"

#include "cclipictureloader.h"
#include "checkjson.h"
#include "clinewriter.h"
#include "cloadedcockpit.h"
#include "filepaths.h"
#include "icliqtpart.h"

#include <cerrno>
#include <cstring>
#include <new>

namespace {
#ifdef VIREO_CLI_RENDER
std::string RenderHelp()
{
    return "  render INPUT --panel ID -o OUT.png [--zoom Z] [--select ID] [--state ID=N]...\n"
           "      Paints panel ID as the editor's panel view paints it (surfaces, then button\n"
           "      views, then objects) on a transparent image of the screen size times the zoom\n"
           "      (default 1). --select draws the selection of the record with that id;\n"
           "      --state ID=N steps the button view or object ID of the panel N states on\n"
           "      before painting (repeatable; the states go round). OUT.png is written as\n"
           "      format writes OUTPUT. Exit 0 when OUT.png was written, 2 on a bad panel id,\n"
           "      unreadable INPUT or unwritable output.\n"
           "\n"
           "  render INPUT --all -o DIR [--zoom Z]\n"
           "      Paints every panel as above, without selection or state steps, to\n"
           "      DIR/panel-<id>.png (DIR is made when missing). A panel id that appears twice\n"
           "      is painted once, from its first panel, with a note on stderr. The panels are\n"
           "      painted in parallel, one worker per core; on a terminal, a run longer than a\n"
           "      second shows its progress on stderr (\"120/500 panels\"). Exit 0 when\n"
           "      every picture was written, 2 on unreadable INPUT or when DIR or a picture\n"
           "      cannot be written.\n"
           "\n"
           "  map INPUT -o MAP.png\n"
           "      Draws the Panel Map: every panel as a small picture, laid out by its links\n"
           "      (the first panel in the middle, each neighbour in its compass direction,\n"
           "      panels not reachable from the first in a row below), links as arrows. A\n"
           "      link whose neighbour does not link back, or names no panel, is drawn in red\n"
           "      and printed on stdout, one per line. Exit 0 when MAP.png was written, 2 on\n"
           "      unreadable INPUT or unwritable output.\n"
           "\n";
}
#else
std::string RenderHelp()
{
    return "  render ...\n"
           "      Not available in this build of vireo-cli, which is made without Qt (the\n"
           "      Windows build): it says so on stderr and exits with 2. Pictures are not\n"
           "      read in this build either, only looked for: a missing or unreadable picture\n"
           "      is reported, one that is damaged is not.\n"
           "\n";
}
#endif
} // namespace

std::string CCliApp::HelpText()
{
    return "Usage: vireo-cli COMMAND [OPTIONS]\n"
           "\n"
           "Checks, rewrites and renders cockpit files (.dat) without a window. A cockpit is\n"
           "loaded exactly as the editor's Open loads it: a file name starting with 6_, 8_, 10_,\n"
           "12_ or 16_ sets the screen size, and the file names inside the cockpit resolve\n"
           "against the cockpit file's folder. Messages that the editor would show in a box\n"
           "while loading are printed to stderr, one per line. Only regular files are read, and\n"
           "cockpits of at most 1 GiB.\n"
           "\n"
           "Commands:\n"
           "  format INPUT -o OUTPUT\n"
           "      Loads INPUT and writes it to OUTPUT exactly as Save writes the cockpit, without\n"
           "      checking it first. OUTPUT '-' writes to stdout. OUTPUT is replaced as Save\n"
           "      replaces a file: a link is kept and its target rewritten, the file's mode "
           "stays,\n"
           "      and a failed write leaves the old file whole. An OUTPUT that is not a regular\n"
           "      file (a device, a FIFO) or that is write-protected is refused.\n"
           "      Exit 0 when OUTPUT was written, 2 when INPUT cannot be read or OUTPUT cannot\n"
           "      be written.\n"
           "\n"
           "  check [--full] [--json] INPUT\n"
           "      Runs the check made before every save, or with --full the Check Cockpit check,\n"
           "      and prints each problem on its own line on stdout, in the order found.\n"
           "      --json prints them instead as a JSON array of objects, one per problem:\n"
           "        {\"message\": \"Light Id 101, Too many states (4)\", \"type\": \"LIGHT\",\n"
           "         \"id\": 101, \"severity\": \"error\"}\n"
           "      type is the header keyword of the record the message is about (MANAGER,\n"
           "      PANEL, BUTTONVIEW, LIGHT, ...) and id its id; both are null when the message\n"
           "      names no record. severity is \"error\" when the check made before every save\n"
           "      reports the problem too (a save stops to ask), \"warning\" when only --full\n"
           "      finds it. A check that passes prints [].\n"
           "      Exit 0 when the check passes, 1 when it reports problems, 2 when INPUT cannot\n"
           "      be read.\n"
           "\n" +
           RenderHelp() +
           "  --help\n"
           "      Shows this text.\n";
}

int CCliApp::Painted(const std::string& command, const std::vector<std::string>& args)
{
    ICliQtPart* qt = m_pQt ? m_pQt->Part() : nullptr;
    if (!qt) {
        if (m_pQt)
            m_err << "vireo-cli: " << command << " needs Qt: " << m_pQt->Why() << "\n";
        else
            m_err << "vireo-cli: " << command
                  << " is not available in this build (it needs Qt); format and check are\n";
        return 2;
    }
    return command == "map" ? qt->Map(args, m_out, m_err) : qt->Render(args, m_out, m_err);
}

int CliUsage(std::ostream& err, const std::string& problem)
{
    err << "vireo-cli: " << problem << "\n(vireo-cli --help explains the commands)\n";
    return 2;
}

int CCliApp::Usage(const std::string& problem)
{
    return CliUsage(m_err, problem);
}

int CCliApp::Run(const std::vector<std::string>& args)
{
    try {
        return RunCommand(args);
    } catch (const std::bad_alloc&) {
        m_err << "vireo-cli: not enough memory\n";
        m_err.flush();
        return 2;
    }
}

int CCliApp::RunCommand(const std::vector<std::string>& args)
{
    if (args.empty())
        return Usage("no command given");
    const std::string& cmd = args[0];
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    if (cmd == "--help" || cmd == "-h" || cmd == "help") {
        m_out << HelpText();
        return 0;
    }
    if (cmd == "format")
        return Format(rest);
    if (cmd == "check")
        return Check(rest);
    if (cmd == "render" || cmd == "map")
        return Painted(cmd, rest);
    return Usage("unknown command '" + cmd + "'");
}

int CCliApp::Format(const std::vector<std::string>& args)
{
    std::string input, output;
    bool haveOutput = false;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "-o" && i + 1 < args.size()) {
            output = args[++i];
            haveOutput = true;
        } else if (input.empty() && args[i] != "-o") {
            input = args[i];
        } else {
            return Usage("format: unexpected argument '" + args[i] + "'");
        }
    }
    if (input.empty() || !haveOutput)
        return Usage("format needs INPUT and -o OUTPUT");
    CCliPictureLoader pictures(m_pQt, m_err);
    CLoadedCockpit c(m_err, pictures);
    if (!c.Open(input))
        return 2;
    if (output == "-") {
        // Written as it is made: the whole text is never held.
        errno = 0;
        CLineWriter ar;
        ar.SetSink([this](std::string_view bytes) {
            m_out.write(bytes.data(), std::streamsize(bytes.size()));
            return bool(m_out);
        });
        c.doc.Store(ar);
        ar.Flush();
        m_out.flush();
        if (!m_out) {
            const int err = errno;
            m_err << "vireo-cli: cannot write to standard output"
                  << (err ? std::string(": ") + std::strerror(err) : std::string()) << "\n";
            return 2;
        }
        return 0;
    }
    // Also written as it is made, into the new file that takes the old one's place.
    const CBytesMaker bytes = [&c](const std::function<bool(std::string_view)>& put) {
        CLineWriter ar;
        ar.SetSink(put);
        c.doc.Store(ar);
        return ar.Flush();
    };
    std::string error, warning;
    if (!WriteFileSafely(output, bytes, &error, &warning)) {
        m_err << "vireo-cli: cannot write " << error << "\n";
        return 2;
    }
    if (!warning.empty())
        m_err << "vireo-cli: " << warning << "\n";
    return 0;
}

int CCliApp::Check(const std::vector<std::string>& args)
{
    bool full = false, json = false;
    std::string input;
    for (const std::string& a : args) {
        if (a == "--full")
            full = true;
        else if (a == "--json")
            json = true;
        else if (input.empty())
            input = a;
        else
            return Usage("check: unexpected argument '" + a + "'");
    }
    if (input.empty())
        return Usage("check needs INPUT");
    CCliPictureLoader pictures(m_pQt, m_err);
    CLoadedCockpit c(m_err, pictures);
    if (!c.Open(input))
        return 2;
    CCheckMessageArray messages;
    const bool ok = c.doc.m_manager.Check(messages, full);
    if (json) {
        // What the check before a save reports too is an error; the rest are warnings.
        CCheckMessageArray saveChecked;
        if (full)
            c.doc.m_manager.Check(saveChecked, false);
        m_out << CheckMessagesToJson(messages, full ? saveChecked : messages);
    } else {
        for (const CCheckMessage& m : messages)
            m_out << m.m_strMessage << "\n";
    }
    m_out.flush();
    return ok && messages.empty() ? 0 : 1;
}
