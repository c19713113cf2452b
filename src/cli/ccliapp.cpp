#include "ccliapp.h"

#include "ccliuserinterface.h"
#include "ccpmanager.h"
#include "ccppanel.h"
#include "checkjson.h"
#include "clinewriter.h"
#include "cqtimageloader.h"
#include "crenderall.h"
#include "cscanner.h"
#include "cstatelist.h"
#include "cvireodoc.h"
#include "filepaths.h"
#include "panelimage.h"
#include "panelpaint.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageWriter>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <map>
#include <new>
#include <set>
#include <unistd.h>

namespace {

// A document loaded as the editor's Open loads it, messages to the error stream.
struct CLoadedCockpit
{
    CCliUserInterface ui;
    CQtImageLoader loader;
    CVireoDoc doc;

    explicit CLoadedCockpit(std::ostream& err) : ui(err), m_err(err)
    {
        doc.SetUserInterface(&ui);
        doc.m_manager.SetImageLoader(&loader);
    }

    // False, after saying so, when the file cannot be read.
    bool Open(const std::string& input)
    {
        if (doc.OnOpenDocument(input))
            return true;
        m_err << "vireo-cli: cannot read " << input << "\n";
        return false;
    }

private:
    std::ostream& m_err;
};

bool ParseInt(const std::string& text, int& value)
{
    CScanner s(text);
    int v = 0;
    if (!s.Int(v) || !s.Rest().empty())
        return false;
    value = v;
    return true;
}

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
           "\n"
           "  render INPUT --panel ID -o OUT.png [--zoom Z] [--select ID] [--state ID=N]...\n"
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
           "  --help\n"
           "      Shows this text.\n";
}

int CCliApp::Usage(const std::string& problem)
{
    m_err << "vireo-cli: " << problem << "\n(vireo-cli --help explains the commands)\n";
    return 2;
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
    if (cmd == "render")
        return Render(rest);
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
    CLoadedCockpit c(m_err);
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
    const std::string bytes = c.doc.Store();
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
    CLoadedCockpit c(m_err);
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

int CCliApp::Render(const std::vector<std::string>& args)
{
    if (std::find(args.begin(), args.end(), "--all") != args.end())
        return RenderAll(args);
    std::string input, output;
    int panelId = 0;
    bool havePanel = false, haveSelect = false;
    int selectId = 0;
    float zoom = 1.0f;
    std::vector<std::pair<int, int>> states;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == "-o" && hasValue) {
            output = args[++i];
        } else if (a == "--panel" && hasValue) {
            if (!ParseInt(args[++i], panelId))
                return Usage("render: --panel needs a number, not '" + args[i] + "'");
            havePanel = true;
        } else if (a == "--zoom" && hasValue) {
            CScanner s(args[++i]);
            if (!s.Float(zoom) || !s.Rest().empty() || !(zoom > 0.0f) || zoom > 64.0f)
                return Usage("render: --zoom needs a number above 0 and at most 64, not '" +
                             args[i] + "'");
        } else if (a == "--select" && hasValue) {
            if (!ParseInt(args[++i], selectId))
                return Usage("render: --select needs a number, not '" + args[i] + "'");
            haveSelect = true;
        } else if (a == "--state" && hasValue) {
            const std::string v = args[++i];
            const size_t eq = v.find('=');
            int id = 0, n = 0;
            if (eq == std::string::npos || !ParseInt(v.substr(0, eq), id) ||
                !ParseInt(v.substr(eq + 1), n) || n < 0)
                return Usage("render: --state needs ID=N with a count N of 0 or more, not '" + v +
                             "'");
            states.emplace_back(id, n);
        } else if (input.empty() && a[0] != '-') {
            input = a;
        } else {
            return Usage("render: unexpected argument '" + a + "'");
        }
    }
    if (input.empty() || !havePanel || output.empty())
        return Usage("render needs INPUT, --panel ID and -o OUT.png");

    CLoadedCockpit c(m_err);
    if (!c.Open(input))
        return 2;
    CCPManager& m = c.doc.m_manager;
    CCPPanel* panel = m.FindPanel(panelId);
    if (!panel) {
        m_err << "vireo-cli: the cockpit has no panel " << panelId << "\n";
        return 2;
    }
    // The records of this panel by id, button views first as the view picks them.
    auto onPanel = [&](int id) {
        return WalkPanel(m, *panel, kAllLayers, [id](CCPObject& r) { return r.m_nId == id; });
    };
    for (const auto& [id, n] : states) {
        CCPObject* r = onPanel(id);
        if (!r) {
            m_err << "vireo-cli: panel " << panelId << " shows no record " << id << "\n";
            return 2;
        }
        CStateList::Step(*r, n);
    }
    CCPObject* selected = nullptr;
    if (haveSelect) {
        selected = selectId == panelId ? panel : onPanel(selectId);
        if (!selected) {
            m_err << "vireo-cli: panel " << panelId << " shows no record " << selectId << "\n";
            return 2;
        }
    }

    const int w = int(float(m.m_nScreenWidth) * zoom);
    const int h = int(float(m.m_nScreenHeight) * zoom);
    if (w <= 0 || h <= 0 || (long long)w * h > 256LL * 1024 * 1024)
        return Usage("render: the image would be too large or empty at this zoom");
    const QImage image = PaintPanelImage(m, *panel, zoom, selected);
    if (image.isNull()) { // Qt answers a failed allocation with a null image
        m_err << "vireo-cli: not enough memory for an image of " << w << " x " << h << " pixels\n";
        return 2;
    }
    // Encoded in memory, then written as Save writes: a failed write leaves no cut picture,
    // and the name goes to the system as the bytes it was given.
    QByteArray png;
    QBuffer device(&png);
    device.open(QIODevice::WriteOnly);
    QImageWriter writer(&device, "png");
    if (!writer.write(image)) {
        m_err << "vireo-cli: cannot write " << output << ": " << writer.errorString().toStdString()
              << "\n";
        return 2;
    }
    std::string error, warning;
    if (!WriteFileSafely(output, std::string(png.constData(), size_t(png.size())), &error,
                         &warning)) {
        m_err << "vireo-cli: cannot write " << error << "\n";
        return 2;
    }
    if (!warning.empty())
        m_err << "vireo-cli: " << warning << "\n";
    return 0;
}

int CCliApp::RenderAll(const std::vector<std::string>& args)
{
    std::string input, folder;
    float zoom = 1.0f;
    int workers = CRenderAll::WorkerCount();
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == "--all") {
            continue;
        } else if (a == "-o" && hasValue) {
            folder = args[++i];
        } else if (a == "--zoom" && hasValue) {
            CScanner s(args[++i]);
            if (!s.Float(zoom) || !s.Rest().empty() || !(zoom > 0.0f) || zoom > 64.0f)
                return Usage("render: --zoom needs a number above 0 and at most 64, not '" +
                             args[i] + "'");
        } else if (a == "--workers" && hasValue) {
            // Not in the help: a run of one worker is what the parallel ones are compared to.
            if (!ParseInt(args[++i], workers) || workers < 1 || workers > 256)
                return Usage("render: --workers needs a count from 1 to 256, not '" + args[i] +
                             "'");
        } else if (input.empty() && a[0] != '-') {
            input = a;
        } else {
            return Usage("render --all: unexpected argument '" + a + "'");
        }
    }
    if (input.empty() || folder.empty())
        return Usage("render --all needs INPUT and -o DIR");

    CLoadedCockpit c(m_err);
    if (!c.Open(input))
        return 2;
    CCPManager& m = c.doc.m_manager;
    const long long w = static_cast<long long>(float(m.m_nScreenWidth) * zoom);
    const long long h = static_cast<long long>(float(m.m_nScreenHeight) * zoom);
    if (w <= 0 || h <= 0 || w * h > 256LL * 1024 * 1024)
        return Usage("render: the image would be too large or empty at this zoom");
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (!std::filesystem::is_directory(folder)) {
        m_err << "vireo-cli: cannot make the folder " << folder << (ec ? ": " + ec.message() : "")
              << "\n";
        return 2;
    }
    CRenderAll all(m, zoom, m_err);
    all.ShowProgress(&m_err == &std::cerr && isatty(STDERR_FILENO));
    return all.Run(folder, workers);
}
