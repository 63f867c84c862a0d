#include "audio/VorbisEncoder.h"

#include <vorbis/vorbisenc.h>

#include <algorithm>

namespace {

void AppendPage(const ogg_page& page, std::vector<uint8_t>& out) {
  out.insert(out.end(), page.header, page.header + page.header_len);
  out.insert(out.end(), page.body, page.body + page.body_len);
}

// The libvorbis and libogg state of one encoding, released in reverse order of set-up.
struct SVorbisState {
  vorbis_info info;
  vorbis_comment comment;
  vorbis_dsp_state dsp;
  vorbis_block block;
  ogg_stream_state stream;
  bool analysing = false;
  SVorbisState() {
    vorbis_info_init(&info);
    vorbis_comment_init(&comment);
  }
  ~SVorbisState() {
    if (analysing) {
      ogg_stream_clear(&stream);
      vorbis_block_clear(&block);
      vorbis_dsp_clear(&dsp);
    }
    vorbis_comment_clear(&comment);
    vorbis_info_clear(&info);
  }
};

void Drain(SVorbisState& s, std::vector<uint8_t>& out) {
  ogg_packet packet;
  ogg_page page;
  while (vorbis_analysis_blockout(&s.dsp, &s.block) == 1) {
    vorbis_analysis(&s.block, nullptr);
    vorbis_bitrate_addblock(&s.block);
    while (vorbis_bitrate_flushpacket(&s.dsp, &packet)) {
      ogg_stream_packetin(&s.stream, &packet);
      while (ogg_stream_pageout(&s.stream, &page)) AppendPage(page, out);
    }
  }
}

}  // namespace

std::vector<uint8_t> CVorbisEncoder::Encode(const std::vector<int16_t>& interleaved, int channels, long rate,
                                            float quality, int serial) {
  SVorbisState s;
  if (channels < 1 || rate <= 0 || vorbis_encode_init_vbr(&s.info, channels, rate, quality) != 0) return {};
  vorbis_analysis_init(&s.dsp, &s.info);
  vorbis_block_init(&s.dsp, &s.block);
  // A fixed serial number keeps the output identical from run to run.
  ogg_stream_init(&s.stream, serial);
  s.analysing = true;

  std::vector<uint8_t> out;
  ogg_packet header, commentPacket, codebooks;
  vorbis_analysis_headerout(&s.dsp, &s.comment, &header, &commentPacket, &codebooks);
  ogg_stream_packetin(&s.stream, &header);
  ogg_stream_packetin(&s.stream, &commentPacket);
  ogg_stream_packetin(&s.stream, &codebooks);
  ogg_page page;
  while (ogg_stream_flush(&s.stream, &page)) AppendPage(page, out);

  const size_t frames = interleaved.size() / static_cast<size_t>(channels);
  constexpr size_t kPiece = 4096;
  for (size_t at = 0; at < frames; at += kPiece) {
    const size_t count = std::min(kPiece, frames - at);
    float** planes = vorbis_analysis_buffer(&s.dsp, static_cast<int>(count));
    for (size_t i = 0; i < count; ++i) {
      for (int c = 0; c < channels; ++c) planes[c][i] = interleaved[(at + i) * channels + c] / 32768.0f;
    }
    vorbis_analysis_wrote(&s.dsp, static_cast<int>(count));
    Drain(s, out);
  }
  vorbis_analysis_wrote(&s.dsp, 0);
  Drain(s, out);
  return out;
}
