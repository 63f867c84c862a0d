#include "platform/movie/MovieEncoder.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libswscale/swscale.h>
}

#include <algorithm>

namespace {

constexpr int kSoundRate = 44100;

// One encoder and its stream in the file.
struct SOutputStream {
  AVCodecContext* codec = nullptr;
  AVStream* stream = nullptr;
  AVFrame* frame = nullptr;
  ~SOutputStream() {
    av_frame_free(&frame);
    avcodec_free_context(&codec);
  }
};

// The file being written and everything that must be freed with it.
struct SOutputFile {
  AVFormatContext* format = nullptr;
  AVPacket* packet = av_packet_alloc();
  SwsContext* converter = nullptr;
  SOutputStream video, audio;
  bool headerWritten = false;
  ~SOutputFile() {
    if (headerWritten) av_write_trailer(format);
    sws_freeContext(converter);
    av_packet_free(&packet);
    if (format && format->pb) avio_closep(&format->pb);
    avformat_free_context(format);
  }
};

bool AddStream(SOutputFile& file, SOutputStream& out, AVCodecID id, void (*configure)(AVCodecContext*, void*),
               void* context) {
  const AVCodec* encoder = avcodec_find_encoder(id);
  if (!encoder) return false;
  out.stream = avformat_new_stream(file.format, nullptr);
  out.codec = avcodec_alloc_context3(encoder);
  out.frame = av_frame_alloc();
  if (!out.stream || !out.codec || !out.frame) return false;
  configure(out.codec, context);
  if (file.format->oformat->flags & AVFMT_GLOBALHEADER) out.codec->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
  if (avcodec_open2(out.codec, encoder, nullptr) < 0) return false;
  out.stream->time_base = out.codec->time_base;
  return avcodec_parameters_from_context(out.stream->codecpar, out.codec) >= 0;
}

void ConfigureVideo(AVCodecContext* c, void* context) {
  const auto& s = *static_cast<const CMovieEncoder::SSettings*>(context);
  c->width = s.width;
  c->height = s.height;
  c->time_base = AVRational{1, s.framesPerSecond};
  c->framerate = AVRational{s.framesPerSecond, 1};
  c->pix_fmt = AV_PIX_FMT_YUV420P;
  c->gop_size = 12;
  c->max_b_frames = 0;
  // A fixed fine quantiser: flat colours come back within a few steps of what went in.
  c->flags |= AV_CODEC_FLAG_QSCALE;
  c->global_quality = FF_QP2LAMBDA * 2;
}

void ConfigureAudio(AVCodecContext* c, void*) {
  c->sample_fmt = AV_SAMPLE_FMT_S16;
  c->sample_rate = kSoundRate;
  c->time_base = AVRational{1, kSoundRate};
  c->bit_rate = 192000;
  const AVChannelLayout stereo = AV_CHANNEL_LAYOUT_STEREO;
  av_channel_layout_copy(&c->ch_layout, &stereo);
}

// Sends a frame (null: the end) and writes every packet the encoder gives back.
bool Encode(SOutputFile& file, SOutputStream& out, AVFrame* frame) {
  if (avcodec_send_frame(out.codec, frame) < 0) return false;
  for (;;) {
    const int r = avcodec_receive_packet(out.codec, file.packet);
    if (r == AVERROR(EAGAIN) || r == AVERROR_EOF) return true;
    if (r < 0) return false;
    av_packet_rescale_ts(file.packet, out.codec->time_base, out.stream->time_base);
    file.packet->stream_index = out.stream->index;
    if (av_interleaved_write_frame(file.format, file.packet) < 0) return false;
  }
}

bool EncodePicture(SOutputFile& file, const CMovieEncoder::SSettings& s, int index,
                   const CMovieEncoder::PictureFunction& picture, std::vector<uint32_t>& pixels) {
  AVFrame* f = file.video.frame;
  if (av_frame_make_writable(f) < 0) return false;
  pixels.assign(static_cast<size_t>(s.width) * s.height, 0xFF000000);
  picture(index, pixels);
  const uint8_t* source[1] = {reinterpret_cast<const uint8_t*>(pixels.data())};
  const int stride[1] = {s.width * 4};
  sws_scale(file.converter, source, stride, 0, s.height, f->data, f->linesize);
  f->pts = index;
  return Encode(file, file.video, f);
}

bool EncodeSound(SOutputFile& file, int64_t first, int64_t total, const CMovieEncoder::SoundFunction& sound) {
  AVFrame* f = file.audio.frame;
  if (av_frame_make_writable(f) < 0) return false;
  auto* samples = reinterpret_cast<int16_t*>(f->data[0]);
  std::fill_n(samples, f->nb_samples * 2, int16_t{0});
  sound(first, samples, static_cast<int>(std::min<int64_t>(f->nb_samples, total - first)));
  f->pts = first;
  return Encode(file, file.audio, f);
}

bool AllocateFrames(SOutputFile& file, const CMovieEncoder::SSettings& s, bool withSound) {
  AVFrame* v = file.video.frame;
  v->format = AV_PIX_FMT_YUV420P;
  v->width = s.width;
  v->height = s.height;
  if (av_frame_get_buffer(v, 0) < 0) return false;
  file.converter = sws_getContext(s.width, s.height, AV_PIX_FMT_BGRA, s.width, s.height, AV_PIX_FMT_YUV420P,
                                  SWS_BILINEAR, nullptr, nullptr, nullptr);
  if (!file.converter) return false;
  if (!withSound) return true;
  AVFrame* a = file.audio.frame;
  a->format = AV_SAMPLE_FMT_S16;
  a->sample_rate = kSoundRate;
  a->nb_samples = file.audio.codec->frame_size;
  return av_channel_layout_copy(&a->ch_layout, &file.audio.codec->ch_layout) >= 0 &&
         av_frame_get_buffer(a, 0) >= 0;
}

}  // namespace

bool CMovieEncoder::Write(const std::string& hostPath, const SSettings& s, const PictureFunction& picture,
                          const SoundFunction& sound) {
  if (s.width <= 0 || s.height <= 0 || s.frames <= 0 || s.framesPerSecond <= 0) return false;
  // The muxer's advice and complaints about disc-standard buffer sizes do not apply here.
  av_log_set_level(AV_LOG_FATAL);
  SOutputFile file;
  if (!file.packet || avformat_alloc_output_context2(&file.format, nullptr, "mpeg", hostPath.c_str()) < 0)
    return false;
  SSettings settings = s;
  if (!AddStream(file, file.video, AV_CODEC_ID_MPEG1VIDEO, ConfigureVideo, &settings)) return false;
  if (sound && !AddStream(file, file.audio, AV_CODEC_ID_MP2, ConfigureAudio, nullptr)) return false;
  if (!AllocateFrames(file, s, static_cast<bool>(sound))) return false;
  if (avio_open(&file.format->pb, hostPath.c_str(), AVIO_FLAG_WRITE) < 0) return false;
  if (avformat_write_header(file.format, nullptr) < 0) return false;
  file.headerWritten = true;
  const int64_t totalSamples = int64_t{s.frames} * kSoundRate / s.framesPerSecond;
  int64_t nextSample = sound ? 0 : totalSamples;
  std::vector<uint32_t> pixels;
  // Picture and sound are written in time order, so the file interleaves them closely.
  for (int index = 0; index < s.frames || nextSample < totalSamples;) {
    const bool pictureFirst =
        index < s.frames &&
        (nextSample >= totalSamples || int64_t{index} * kSoundRate < nextSample * s.framesPerSecond);
    if (pictureFirst) {
      if (!EncodePicture(file, s, index++, picture, pixels)) return false;
    } else {
      if (!EncodeSound(file, nextSample, totalSamples, sound)) return false;
      nextSample += file.audio.frame->nb_samples;
    }
  }
  return Encode(file, file.video, nullptr) && (!sound || Encode(file, file.audio, nullptr));
}
