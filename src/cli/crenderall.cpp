#include "crenderall.h"

#include "canvas.h"
#include "cbitmap.h"
#include "ccpmanager.h"
#include "ccppanel.h"
#include "filepaths.h"
#include "panelimage.h"
#include "panelpaint.h"

#include <QBuffer>
#include <QByteArray>
#include <QHashFunctions>
#include <QImage>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <mutex>
#include <new>
#include <set>
#include <system_error>
#include <thread>
#include <vector>

namespace {

// Draws nothing; takes every picture a paint would read, so that the lazy parts (pictures
// loaded on first use, the blue-keyed form, the look-ups by id) are made before the workers
// share them.
class CPrepareCanvas : public Canvas
{
public:
    Pen SelectPen(const Pen& pen) override { return pen; }
    Brush SelectBrush(const Brush& brush) override { return brush; }
    Font SelectFont(const Font& font) override { return font; }
    void FrameRect(const CRect&, Rgb) override {}
    void FillRect(const CRect&, Rgb) override {}
    void Line(int, int, int, int) override {}
    void Polygon(const std::vector<CPoint>&) override {}
    void Ellipse(const CRect&) override {}
    void TextOut(int, int, const std::string&, Rgb) override {}
    void StretchBlt(const CBitmap& bmp, const CRect&, const CRect&, bool keyBlue) override
    {
        if (keyBlue && !bmp.IsNull())
            bmp.KeyedBits();
    }
};

// One panel of the run: what it writes and, once done, what it has to say.
struct CJob
{
    CCPPanel* panel = nullptr; // null: a later panel of an id already painted
    int id = 0;
    std::string file;
    std::string message;
    bool failed = false;
};

// The PNG bytes of the last few pictures encoded. Panels that paint the same picture (empty
// ones, or the same background and nothing on it) share one encoding: the same pixels always
// encode to the same bytes, and encoding takes most of a panel's time.
class CEncodedPictures
{
public:
    // The picture's PNG bytes; empty when it cannot be encoded.
    QByteArray Encode(const QImage& image)
    {
        const size_t hash = qHashBits(image.constBits(), size_t(image.sizeInBytes()));
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            for (CEntry& e : m_entries)
                if (e.hash == hash && e.image == image) {
                    e.used = ++m_nUses;
                    return e.png;
                }
        }
        QByteArray png;
        QBuffer buffer(&png);
        if (!buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "PNG"))
            return QByteArray();
        if (image.sizeInBytes() > kLargestKept)
            return png;
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_entries.size() < kKept) {
            m_entries.push_back({hash, image, png, ++m_nUses});
        } else {
            CEntry& oldest =
                *std::min_element(m_entries.begin(), m_entries.end(),
                                  [](const CEntry& a, const CEntry& b) { return a.used < b.used; });
            oldest = {hash, image, png, ++m_nUses};
        }
        return png;
    }

private:
    struct CEntry
    {
        size_t hash;
        QImage image;
        QByteArray png;
        unsigned long long used;
    };
    static constexpr size_t kKept = 4;
    static constexpr qsizetype kLargestKept = qsizetype(16) << 20; // 2048 x 2048
    std::mutex m_mutex;
    std::vector<CEntry> m_entries;
    unsigned long long m_nUses = 0;
};

// Paints and encodes the job's panel and writes its picture as Save writes a file.
void Paint(CCPManager& m, float zoom, CEncodedPictures& encoded, CJob& job)
{
    try {
        const QImage image = PaintPanelImage(m, *job.panel, zoom);
        const QByteArray png = image.isNull() ? QByteArray() : encoded.Encode(image);
        std::string error;
        if (png.isEmpty()) {
            job.message = "vireo-cli: cannot paint panel " + std::to_string(job.id) + "\n";
            job.failed = true;
        } else if (!WriteFileSafely(job.file, std::string(png.constData(), size_t(png.size())),
                                    &error)) {
            job.message = "vireo-cli: cannot write " + error + "\n";
            job.failed = true;
        }
    } catch (const std::bad_alloc&) {
        job.message =
            "vireo-cli: not enough memory to paint panel " + std::to_string(job.id) + "\n";
        job.failed = true;
    }
}

} // namespace

CRenderAll::CRenderAll(CCPManager& manager, float zoom, std::ostream& err)
    : m_manager(manager), m_fZoom(zoom), m_err(err)
{
}

int CRenderAll::WorkerCount()
{
    return std::max(1, int(std::thread::hardware_concurrency()));
}

int CRenderAll::Run(const std::string& folder, int workers)
{
    std::vector<CJob> jobs;
    std::set<int> seen;
    for (const auto& panel : m_manager.m_aPanels) {
        CJob job;
        job.id = panel->m_nId;
        if (seen.insert(job.id).second) {
            job.panel = panel.get();
            job.file = PathText(SystemPath(folder) / ("panel-" + std::to_string(job.id) + ".png"));
        } else {
            job.message = "vireo-cli: another panel " + std::to_string(job.id) +
                          " comes first; panel-" + std::to_string(job.id) + ".png shows that one\n";
        }
        jobs.push_back(std::move(job));
    }
    CPrepareCanvas prepare;
    for (const CJob& job : jobs)
        if (job.panel)
            PaintPanel(m_manager, *job.panel, prepare, m_fZoom);

    std::mutex mutex;
    std::condition_variable finished;
    std::vector<char> done(jobs.size(), 0);
    std::atomic<size_t> next{0};
    CEncodedPictures encoded;
    auto work = [&] {
        for (size_t i; (i = next.fetch_add(1)) < jobs.size();) {
            if (jobs[i].panel)
                Paint(m_manager, m_fZoom, encoded, jobs[i]);
            std::lock_guard<std::mutex> lock(mutex);
            done[i] = 1;
            finished.notify_one();
        }
    };
    // Each worker holds a picture of its own: at a large zoom fewer workers keep to about a GiB.
    const long long pictureBytes = 4LL * (long long)(float(m_manager.m_nScreenWidth) * m_fZoom) *
                                   (long long)(float(m_manager.m_nScreenHeight) * m_fZoom);
    const long long byMemory = std::max(1LL, (1LL << 30) / std::max(1LL, pictureBytes));
    std::vector<std::thread> threads;
    const int count =
        int(std::max(1LL, std::min({(long long)workers, (long long)jobs.size(), byMemory})));
    try {
        for (int t = 0; t < count; ++t)
            threads.emplace_back(work);
    } catch (const std::system_error&) {
        // As many workers as the system gives; none at all: this thread paints them all.
        if (threads.empty())
            work();
    }

    // The messages in panel order, each as soon as its panel and those before it are done.
    using Clock = std::chrono::steady_clock;
    const Clock::time_point start = Clock::now();
    Clock::time_point shown = start;
    bool progressShown = false;
    int code = 0;
    for (size_t i = 0; i < jobs.size(); ++i) {
        {
            std::unique_lock<std::mutex> lock(mutex);
            while (!done[i]) {
                finished.wait_for(lock, std::chrono::milliseconds(100));
                const Clock::time_point now = Clock::now();
                if (m_bProgress && now - start > std::chrono::seconds(1) &&
                    now - shown >= std::chrono::milliseconds(100)) {
                    const auto ready = std::count(done.begin(), done.end(), 1);
                    m_err << "\r" << ready << "/" << jobs.size() << " panels" << std::flush;
                    shown = now;
                    progressShown = true;
                }
            }
        }
        if (!jobs[i].message.empty()) {
            if (progressShown)
                m_err << "\r\033[K";
            m_err << jobs[i].message;
        }
        if (jobs[i].failed)
            code = 2;
    }
    for (std::thread& t : threads)
        t.join();
    if (progressShown)
        m_err << "\r\033[K" << std::flush;
    return code;
}
