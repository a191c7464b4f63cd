#include "cli/RenderCommand.h"

#ifdef VANTREL_WITH_RENDER
#include "editor/HeadlessRender.h"
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
    int quality = 90;
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
            if (r.codec != QLatin1String("raw") && r.codec != QLatin1String("mjpeg")) {
                renderUsage("the codec is raw or mjpeg");
                return std::nullopt;
            }
        } else if (a == QLatin1String("--quality") && hasValue) {
            const std::optional<int> q = number(args[++i], 1, 100);
            if (!q) {
                renderUsage("the quality is a whole number from 1 to 100");
                return std::nullopt;
            }
            r.quality = *q;
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
        renderUsage("--frames, --codec and --quality belong to --video");
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
        const ExportResult result
            = HeadlessRender::image(r->strat, r->image, r->frames.value_or(0));
        return result ? 0 : renderFailure(result.message);
    }
    const AviCodec codec
        = r->codec == QLatin1String("raw") ? AviCodec::Uncompressed : AviCodec::MotionJpeg;
    const AviResult result
        = HeadlessRender::video(r->strat, r->video, r->frames.value_or(100), codec, r->quality);
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
