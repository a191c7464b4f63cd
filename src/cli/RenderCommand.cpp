#include "cli/RenderCommand.h"

#ifdef VANTREL_WITH_RENDER
#include "editor/HeadlessRender.h"
#include "export/FileNames.h"
#include "fileio/SafeFile.h"
#endif

#include <QFile>

#include <cstdio>
#include <optional>

namespace vantrel {

namespace {

constexpr int kUsageError = 2;
constexpr int kInputError = 1;

int renderUsage(const char *why)
{
    std::fprintf(stderr, "vantrel-cli: render: %s\n", why);
    return kUsageError;
}

int renderFailure(const QString &message)
{
    QString line = message;
    line.replace(QLatin1Char('\n'), QLatin1Char(' '));
    std::fprintf(stderr, "vantrel-cli: %s\n", line.toUtf8().constData());
    return kInputError;
}

std::optional<int> number(const QString &text, int low, int high)
{
    bool ok = false;
    const int n = text.toInt(&ok);
    if (!ok || n < low || n > high)
        return std::nullopt;
    return n;
}

struct RenderRequest
{
    QString strat;
    QString image;
    QString video;
    std::optional<int> frames;
    QString codec = QStringLiteral("mjpeg");
    std::optional<int> quality; // Motion JPEG 1..100 (90), or the H.264 CRF 0..51 (20)
    bool half = false;          // a GIF at 400 x 300
    bool fullMotion = false;
    std::optional<int> rate; // full motion, MP4 and GIF: 64 or 32
    bool videoOnlyOptions = false;
};

// Reads the arguments; an empty result is a usage error already reported.
std::optional<RenderRequest> parse(const QStringList &args)
{
    RenderRequest r;
    for (int i = 0; i < args.size(); ++i) {
        const QString &a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == QLatin1String("--image") && hasValue) {
            r.image = args[++i];
        } else if (a == QLatin1String("--video") && hasValue) {
            r.video = args[++i];
        } else if ((a == QLatin1String("--frame") || a == QLatin1String("--frames")) && hasValue) {
            r.frames = number(args[++i], 0, 10'000'000);
            if (!r.frames) {
                renderUsage("the frame count must be a whole number from 0");
                return std::nullopt;
            }
            r.videoOnlyOptions |= a == QLatin1String("--frames");
        } else if (a == QLatin1String("--codec") && hasValue) {
            r.codec = args[++i];
            r.videoOnlyOptions = true;
            if (!QStringList{QStringLiteral("raw"), QStringLiteral("mjpeg"), QStringLiteral("h264"),
                             QStringLiteral("gif")}
                     .contains(r.codec)) {
                renderUsage("the codec is raw, mjpeg, h264 or gif");
                return std::nullopt;
            }
        } else if (a == QLatin1String("--quality") && hasValue) {
            r.quality = number(args[++i], 0, 100);
            if (!r.quality) {
                renderUsage("the quality is a whole number from 0 to 100");
                return std::nullopt;
            }
            r.videoOnlyOptions = true;
        } else if (a == QLatin1String("--half")) {
            r.half = r.videoOnlyOptions = true;
        } else if (a == QLatin1String("--full-motion")) {
            r.fullMotion = r.videoOnlyOptions = true;
        } else if (a == QLatin1String("--rate") && hasValue) {
            r.rate = number(args[++i], 32, 64);
            if (!r.rate || (*r.rate != 32 && *r.rate != 64)) {
                renderUsage("the rate is 32 or 64");
                return std::nullopt;
            }
            r.videoOnlyOptions = true;
        } else if (!a.startsWith(QLatin1String("--")) && r.strat.isEmpty()) {
            r.strat = a;
        } else {
            renderUsage("unknown or incomplete argument");
            return std::nullopt;
        }
    }
    if (r.strat.isEmpty() || r.image.isEmpty() == r.video.isEmpty()) {
        renderUsage("name one strat file and either --image OUT.jpg or --video OUT.avi");
        return std::nullopt;
    }
    if (!r.image.isEmpty() && r.videoOnlyOptions) {
        renderUsage("--frames, --codec, --quality, --half, --full-motion and --rate belong to "
                    "--video");
        return std::nullopt;
    }
    const bool h264 = r.codec == QLatin1String("h264");
    const bool gif = r.codec == QLatin1String("gif");
    if (r.quality && (gif || (h264 ? *r.quality > 51 : *r.quality < 1))) {
        renderUsage("the quality is 1 to 100 for mjpeg and raw, the CRF 0 to 51 for h264; a gif "
                    "has none");
        return std::nullopt;
    }
    if (r.half && !gif) {
        renderUsage("--half belongs to --codec gif");
        return std::nullopt;
    }
    if (r.rate && (!r.fullMotion || !(h264 || gif))) {
        renderUsage("--rate belongs to --full-motion with --codec h264 or gif");
        return std::nullopt;
    }
    return r;
}

} // namespace

#ifdef VANTREL_WITH_RENDER

bool canRender()
{
    return true;
}

int runRenderCommand(const QStringList &args)
{
    const std::optional<RenderRequest> r = parse(args);
    if (!r)
        return kUsageError;
    if (!QFile::exists(r->strat))
        return renderFailure(QStringLiteral("%1: no such file").arg(r->strat));
    if (!r->image.isEmpty()) {
        // Refused before the window is rendered: a device stays a device and
        // the strat is never overwritten by its own picture.
        const FileResult target
            = SafeFile::checkTarget(FileNames::withJpgExtension(r->image), {r->strat});
        if (!target)
            return renderFailure(target.message);
        const FileResult result = HeadlessRender::image(r->strat, r->image, r->frames.value_or(0));
        return result ? 0 : renderFailure(result.message);
    }
    RecordingFormat format;
    if (r->codec == QLatin1String("h264") || r->codec == QLatin1String("gif")) {
        format.container = RecordingFormat::Container::Encoded;
        format.video.codec = r->codec == QLatin1String("gif") ? VideoCodec::Gif : VideoCodec::H264;
        format.video.quality = r->quality.value_or(20);
        format.video.size = r->half ? QSize(400, 300) : QSize(800, 600);
        format.video.frameRate = r->fullMotion ? r->rate.value_or(64) : 11;
    } else {
        format.aviCodec
            = r->codec == QLatin1String("raw") ? AviCodec::Uncompressed : AviCodec::MotionJpeg;
        format.aviQuality = r->quality.value_or(90);
    }
    const AviResult result
        = HeadlessRender::video(r->strat, r->video, r->frames.value_or(100), format, r->fullMotion);
    if (result)
        return 0;
    return renderFailure(result.detail.isEmpty() ? result.message : result.detail);
}

#else

bool canRender()
{
    return false;
}

int runRenderCommand(const QStringList &args)
{
    if (!parse(args))
        return kUsageError;
    return renderFailure(QStringLiteral("render: this build has no window libraries"));
}

#endif

} // namespace vantrel
