#include "export/VideoEncoder.h"

#include "export/FrameSpool.h"
#include "export/GifPalette.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <cstdio>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/imgutils.h>
#include <libavutil/opt.h>
#include <libswscale/swscale.h>
}

namespace vantrel {

namespace {

constexpr int kMaxFrameRate = 64;
// Browsers show a GIF frame of less than two hundredths of a second for a
// tenth of one, so a faster GIF keeps only every second (or n-th) frame.
constexpr int kMaxGifFrameRate = 50;

QString averrorText(int code)
{
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(code, text, sizeof text);
    return QString::fromLocal8Bit(text);
}

// Flushes a finished file to the disk before it is renamed into place, so the
// rename never publishes a file whose data is still in flight.
bool syncToDisk(const QString &path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
}

// The temporary file is made private to the user; the finished video gets the
// permissions the file it replaces had, or those a new file would get.
void givePermissionsOf(const QString &target, const QString &path)
{
    struct stat info;
    mode_t mode;
    if (::stat(QFile::encodeName(target).constData(), &info) == 0) {
        mode = info.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    ::chmod(QFile::encodeName(path).constData(), mode);
}

} // namespace

struct VideoEncoder::Private
{
    VideoDescription desc;
    Progress progress;
    const std::atomic_bool *cancel = nullptr;

    QString tempPath;
    AVFormatContext *format = nullptr;
    AVCodecContext *codec = nullptr;
    AVStream *stream = nullptr;
    AVFrame *frame = nullptr;
    AVPacket *packet = nullptr;
    SwsContext *sws = nullptr;
    bool opened = false;
    bool headerWritten = false;
    bool trailerWritten = false;
    bool done = false;
    bool finishing = false; // progress is told of every frame written from here on
    int pushed = 0;         // pictures handed to addFrame()
    int keepEvery = 1;
    int given = 0; // of those, the ones that become frames
    int written = 0;
    QString error;
    bool cancelled = false;

    // A GIF waits for every frame before its palette is known.
    FrameSpool spool;
    GifPalette palette;
    QImage scaled;

    bool isGif() const { return desc.codec == VideoCodec::Gif; }

    bool fail(const QString &reason)
    {
        if (error.isEmpty() && !cancelled)
            error = QStringLiteral("%1: %2").arg(desc.path, reason);
        return false;
    }
    bool failAv(const QString &what, int code)
    {
        return fail(QStringLiteral("%1 (%2)").arg(what, averrorText(code)));
    }
    bool checkCancel()
    {
        if (cancel && cancel->load())
            cancelled = true;
        return cancelled;
    }
    bool failed() const { return cancelled || !error.isEmpty(); }

    QString checkDescription() const;
    bool openOutput();
    // A picture handed in: its first row (the top) and the bytes to the next.
    struct Picture
    {
        const uint8_t *top = nullptr;
        int stride = 0; // negative for rows kept bottom-up
        int width = 0;
        int height = 0;
        AVPixelFormat format = AV_PIX_FMT_NONE;
    };
    bool scale(const Picture &source, uint8_t *const planes[], const int lineSizes[],
               AVPixelFormat format);
    bool add(const Picture &picture);
    bool encode(AVFrame *picture);
    bool writeGifFrames();
    void release();
    FileResult result();
};

QString VideoEncoder::Private::checkDescription() const
{
    if (desc.path.isEmpty())
        return QStringLiteral("no file name given");
    if (desc.frameRate < 1 || desc.frameRate > kMaxFrameRate)
        return QStringLiteral("the frame rate must be 1 to %1 frames a second").arg(kMaxFrameRate);
    if (desc.size.width() < 16 || desc.size.height() < 16 || desc.size.width() > 4096
        || desc.size.height() > 4096)
        return QStringLiteral("the frame size must be 16 to 4096 pixels a side");
    if (!isGif() && (desc.size.width() % 2 || desc.size.height() % 2))
        return QStringLiteral("an H.264 video needs an even frame size");
    if (!isGif() && (desc.quality < 0 || desc.quality > 51))
        return QStringLiteral("the quality must be 0 to 51");
    static const QStringList presets{
        QStringLiteral("ultrafast"), QStringLiteral("superfast"), QStringLiteral("veryfast"),
        QStringLiteral("faster"),    QStringLiteral("fast"),      QStringLiteral("medium"),
        QStringLiteral("slow"),      QStringLiteral("slower"),    QStringLiteral("veryslow")};
    if (!isGif() && !presets.contains(desc.preset))
        return QStringLiteral("unknown H.264 preset \"%1\"").arg(desc.preset);
    return {};
}

bool VideoEncoder::Private::openOutput()
{
    // Reserve a unique name beside the target; FFmpeg writes it by name
    // because the MP4 muxer reads its own output back to move the index to
    // the front.
    const QFileInfo target(desc.path);
    QTemporaryFile reserve(
        target.absoluteDir().filePath(QStringLiteral(".%1.XXXXXX.part").arg(target.fileName())));
    reserve.setAutoRemove(false);
    if (!reserve.open())
        return fail(reserve.errorString());
    tempPath = reserve.fileName();
    reserve.close();

    const QByteArray url = QFile::encodeName(tempPath);
    const char *muxer = isGif() ? "gif" : "mp4";
    int rc = avformat_alloc_output_context2(&format, nullptr, muxer, url.constData());
    if (rc < 0 || !format)
        return failAv(QStringLiteral("cannot set up the %1 writer").arg(QLatin1String(muxer)), rc);

    const AVCodec *encoder = avcodec_find_encoder(isGif() ? AV_CODEC_ID_GIF : AV_CODEC_ID_H264);
    if (!encoder)
        return fail(isGif() ? QStringLiteral("this FFmpeg has no GIF encoder")
                            : QStringLiteral("this FFmpeg has no H.264 encoder"));
    codec = avcodec_alloc_context3(encoder);
    stream = avformat_new_stream(format, nullptr);
    frame = av_frame_alloc();
    packet = av_packet_alloc();
    if (!codec || !stream || !frame || !packet)
        return fail(QStringLiteral("out of memory"));

    codec->width = desc.size.width();
    codec->height = desc.size.height();
    if (isGif())
        keepEvery = (desc.frameRate + kMaxGifFrameRate - 1) / kMaxGifFrameRate;
    codec->time_base = AVRational{keepEvery, desc.frameRate};
    codec->framerate = AVRational{desc.frameRate, keepEvery};
    codec->sample_aspect_ratio = AVRational{1, 1};
    if (isGif()) {
        codec->pix_fmt = AV_PIX_FMT_PAL8;
    } else {
        codec->pix_fmt = AV_PIX_FMT_YUV420P;
        codec->thread_count = 0; // as many as the machine has
        // Limited-range BT.601, as the scaler writes it, and said so in the file.
        codec->color_range = AVCOL_RANGE_MPEG;
        codec->colorspace = AVCOL_SPC_SMPTE170M;
        codec->color_primaries = AVCOL_PRI_SMPTE170M;
        codec->color_trc = AVCOL_TRC_SMPTE170M;
        av_opt_set_double(codec->priv_data, "crf", desc.quality, 0);
        av_opt_set(codec->priv_data, "preset", desc.preset.toLatin1().constData(), 0);
    }
    if (format->oformat->flags & AVFMT_GLOBALHEADER)
        codec->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    rc = avcodec_open2(codec, encoder, nullptr);
    if (rc < 0)
        return failAv(QStringLiteral("cannot start the encoder"), rc);
    rc = avcodec_parameters_from_context(stream->codecpar, codec);
    if (rc < 0)
        return failAv(QStringLiteral("cannot start the encoder"), rc);
    stream->time_base = codec->time_base;
    stream->avg_frame_rate = codec->framerate;

    frame->format = codec->pix_fmt;
    frame->width = codec->width;
    frame->height = codec->height;
    rc = av_frame_get_buffer(frame, 0);
    if (rc < 0)
        return failAv(QStringLiteral("out of memory"), rc);

    rc = avio_open(&format->pb, url.constData(), AVIO_FLAG_WRITE);
    if (rc < 0)
        return failAv(QStringLiteral("cannot create the file"), rc);
    AVDictionary *options = nullptr;
    if (isGif())
        av_dict_set(&options, "loop", "0", 0); // for ever
    else
        av_dict_set(&options, "movflags", "+faststart", 0);
    rc = avformat_write_header(format, &options);
    av_dict_free(&options);
    if (rc < 0)
        return failAv(QStringLiteral("cannot write the file"), rc);
    headerWritten = true;

    if (isGif()) {
        scaled = QImage(desc.size, QImage::Format_RGB32);
        if (scaled.isNull())
            return fail(QStringLiteral("out of memory"));
        if (!spool.open())
            return fail(QStringLiteral("cannot keep the frames: %1").arg(spool.errorString()));
    }
    return true;
}

bool VideoEncoder::Private::scale(const Picture &source, uint8_t *const planes[],
                                  const int lineSizes[], AVPixelFormat target)
{
    sws = sws_getCachedContext(sws, source.width, source.height, source.format, desc.size.width(),
                               desc.size.height(), target, SWS_BICUBIC, nullptr, nullptr, nullptr);
    if (!sws)
        return fail(
            QStringLiteral("cannot scale a %1 x %2 frame").arg(source.width).arg(source.height));
    const uint8_t *src[1] = {source.top};
    const int srcStride[1] = {source.stride};
    sws_scale(sws, src, srcStride, 0, source.height, planes, lineSizes);
    return true;
}

bool VideoEncoder::Private::encode(AVFrame *picture)
{
    int rc = avcodec_send_frame(codec, picture);
    if (rc < 0)
        return failAv(QStringLiteral("the encoder failed"), rc);
    for (;;) {
        rc = avcodec_receive_packet(codec, packet);
        if (rc == AVERROR(EAGAIN) || rc == AVERROR_EOF)
            return true;
        if (rc < 0)
            return failAv(QStringLiteral("the encoder failed"), rc);
        av_packet_rescale_ts(packet, codec->time_base, stream->time_base);
        packet->stream_index = stream->index;
        rc = av_interleaved_write_frame(format, packet);
        if (rc < 0)
            return failAv(QStringLiteral("there was an error writing the file"), rc);
        ++written;
        if (finishing && progress)
            progress(written, given);
    }
}

bool VideoEncoder::Private::writeGifFrames()
{
    palette.build();
    if (!spool.rewind())
        return fail(QStringLiteral("cannot read the kept frames back"));
    QImage picture(desc.size, QImage::Format_RGB32);
    for (int i = 0; i < spool.count(); ++i) {
        if (checkCancel())
            return false;
        if (!spool.next(picture))
            return fail(QStringLiteral("cannot read the kept frames back"));
        const int rc = av_frame_make_writable(frame);
        if (rc < 0)
            return failAv(QStringLiteral("out of memory"), rc);
        palette.map(picture, frame->data[0], frame->linesize[0]);
        std::memcpy(frame->data[1], palette.entries().data(), AVPALETTE_SIZE);
        frame->pts = i;
        if (!encode(frame))
            return false;
    }
    return true;
}

void VideoEncoder::Private::release()
{
    // A muxer frees what it holds back (the GIF muxer's last frame) only in
    // its trailer, so an abandoned file gets one too before it is removed.
    if (headerWritten && !trailerWritten && format->pb)
        av_write_trailer(format);
    trailerWritten = true;
    if (format && format->pb)
        avio_closep(&format->pb);
    avformat_free_context(format);
    format = nullptr;
    avcodec_free_context(&codec);
    av_frame_free(&frame);
    av_packet_free(&packet);
    sws_freeContext(sws);
    sws = nullptr;
}

FileResult VideoEncoder::Private::result()
{
    done = true;
    release();
    if (failed() && !tempPath.isEmpty())
        QFile::remove(tempPath);
    tempPath.clear();
    if (!failed())
        return FileResult::success();
    return FileResult::failure(cancelled ? QString() : error);
}

VideoEncoder::VideoEncoder(VideoDescription description, Progress progress,
                           const std::atomic_bool *cancel)
    : d(std::make_unique<Private>())
{
    d->desc = std::move(description);
    d->progress = std::move(progress);
    d->cancel = cancel;
}

VideoEncoder::~VideoEncoder()
{
    if (!d->done) {
        d->cancelled = true;
        d->result();
    }
}

FileResult VideoEncoder::open()
{
    if (d->opened || d->done)
        return FileResult::failure(QStringLiteral("%1: already opened").arg(d->desc.path));
    d->opened = true;
    // The libraries' chatter (encoder statistics) is not for the user's terminal.
    av_log_set_level(AV_LOG_ERROR);
    const QString problem = d->checkDescription();
    if (!problem.isEmpty()) {
        d->fail(problem);
        return d->result();
    }
    if (d->checkCancel() || !d->openOutput())
        return d->result();
    FileResult opened;
    opened.ok = true;
    return opened;
}

bool VideoEncoder::addFrame(const QImage &picture)
{
    if (picture.isNull())
        return d->add({});
    // QImage::Format_RGB32 is 0xffRRGGBB in native order, FFmpeg's RGB32.
    const QImage rgb = picture.format() == QImage::Format_RGB32
                           ? picture
                           : picture.convertToFormat(QImage::Format_RGB32);
    return d->add(
        {rgb.constBits(), int(rgb.bytesPerLine()), rgb.width(), rgb.height(), AV_PIX_FMT_RGB32});
}

bool VideoEncoder::addFrame(const BgrRows &frame)
{
    if (!frame.bits)
        return d->add({});
    // Bottom-up rows are read from the top with a negative stride.
    return d->add({frame.row(0), frame.bottomUp ? -frame.stride : frame.stride, frame.width,
                   frame.height, AV_PIX_FMT_BGR24});
}

bool VideoEncoder::Private::add(const Picture &picture)
{
    if (!opened || done || failed())
        return false;
    if (checkCancel())
        return false;
    if (!picture.top || picture.width <= 0 || picture.height <= 0)
        return fail(QStringLiteral("frame %1 is empty").arg(pushed + 1));
    if (pushed++ % keepEvery != 0)
        return true;
    ++given;
    if (isGif()) {
        uint8_t *planes[1] = {scaled.bits()};
        const int lineSizes[1] = {int(scaled.bytesPerLine())};
        if (!scale(picture, planes, lineSizes, AV_PIX_FMT_RGB32))
            return false;
        QRect changed;
        if (!spool.append(scaled, &changed))
            return fail(QStringLiteral("cannot keep the frames: %1").arg(spool.errorString()));
        palette.count(scaled, changed);
    } else {
        const int rc = av_frame_make_writable(frame);
        if (rc < 0)
            return failAv(QStringLiteral("out of memory"), rc);
        if (!scale(picture, frame->data, frame->linesize, AV_PIX_FMT_YUV420P))
            return false;
        frame->pts = given - 1;
        if (!encode(frame))
            return false;
    }
    if (progress)
        progress(written, given);
    return true;
}

FileResult VideoEncoder::finish()
{
    if (d->done)
        return FileResult::failure(QStringLiteral("%1: already finished").arg(d->desc.path));
    if (!d->opened) {
        d->fail(QStringLiteral("never opened"));
        return d->result();
    }
    if (d->failed() || d->checkCancel())
        return d->result();
    if (d->given == 0) {
        d->fail(QStringLiteral("there are no frames to write"));
        return d->result();
    }
    d->finishing = true;
    if (d->isGif() && !d->writeGifFrames())
        return d->result();
    if (!d->encode(nullptr)) // drains the encoder
        return d->result();
    int rc = av_write_trailer(d->format);
    d->trailerWritten = true;
    if (rc < 0) {
        d->failAv(QStringLiteral("there was an error writing the file"), rc);
        return d->result();
    }
    rc = avio_closep(&d->format->pb);
    if (rc < 0) {
        d->failAv(QStringLiteral("there was an error writing the file"), rc);
        return d->result();
    }
    if (d->checkCancel())
        return d->result();
    if (!syncToDisk(d->tempPath)) {
        d->fail(QStringLiteral("there was an error writing the file"));
        return d->result();
    }
    givePermissionsOf(d->desc.path, d->tempPath);
    // rename() replaces an existing file in one step.
    if (std::rename(QFile::encodeName(d->tempPath).constData(),
                    QFile::encodeName(d->desc.path).constData())
        != 0) {
        d->fail(QString::fromLocal8Bit(std::strerror(errno)));
        return d->result();
    }
    d->tempPath.clear();
    return d->result();
}

int VideoEncoder::framesGiven() const
{
    return d->pushed;
}

QString VideoEncoder::extension(VideoCodec codec)
{
    return codec == VideoCodec::Gif ? QStringLiteral(".gif") : QStringLiteral(".mp4");
}

std::optional<VideoCodec> VideoEncoder::codecFromName(const QString &name)
{
    if (name.compare(QLatin1String("h264"), Qt::CaseInsensitive) == 0)
        return VideoCodec::H264;
    if (name.compare(QLatin1String("gif"), Qt::CaseInsensitive) == 0)
        return VideoCodec::Gif;
    return std::nullopt;
}

} // namespace vantrel
