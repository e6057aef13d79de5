// Loading WAVE samples: PCM layouts, refused images, and Microsoft ADPCM checked against sox's decoder.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "CheckFiles.h"
#include "SoundFixtures.h"
#include "Wav.h"
#include "sound/aud/audSound.h"
#include "support/TempFolder.h"

using namespace soundtest;

namespace {

Bytes readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), {});
}

bool run(const std::string& command) { return std::system((command + " 2>/dev/null").c_str()) == 0; }

std::vector<int16_t> decodedSamples(const audSound& s) {
  std::vector<int16_t> out(s.frames * (s.stereo ? 2 : 1));
  for (size_t i = 0; i < out.size(); ++i) out[i] = static_cast<int16_t>(s.data[2 * i] | (s.data[2 * i + 1] << 8));
  return out;
}

}  // namespace

TEST(WavTest, PcmLayouts) {
  struct Case {
    int bits, channels;
    uint32_t rate;
    size_t bytes;
    bool eightBit, stereo;
    uint32_t frames;
  } cases[] = {
      {8, 1, 22050, 661, true, false, 661},   {8, 2, 11025, 600, true, true, 300},
      {16, 1, 44100, 600, false, false, 300}, {16, 2, 44100, 600, false, true, 150},
      {16, 2, 96000, 0, false, true, 0},
  };
  for (const Case& c : cases) {
    Bytes body(c.bytes);
    for (size_t i = 0; i < body.size(); ++i) body[i] = static_cast<uint8_t>(i * 7);
    Bytes image = makeWav(c.bits, c.channels, c.rate, body);
    for (bool copy : {false, true}) {
      audSound s;
      ASSERT_EQ(s.loadWav(image.data(), image.size(), copy), 0);
      EXPECT_EQ(s.eightBit, c.eightBit);
      EXPECT_EQ(s.stereo, c.stereo);
      EXPECT_EQ(s.frames, c.frames);
      EXPECT_EQ(s.rate, static_cast<int32_t>(c.rate));
      EXPECT_EQ(s.playRate, static_cast<int32_t>(c.rate));
      EXPECT_EQ(s.ownsData, copy);
      if (c.bytes > 0) {
        EXPECT_EQ(s.data == image.data() + image.size() - c.bytes, !copy);
        EXPECT_EQ(s.data[5], body[5]);
      }
    }
  }
}

TEST(WavTest, ChunksBeforeTheDataAreSkipped) {
  Bytes list;
  putTag(list, "LIST");
  put32(list, 6);
  for (int i = 0; i < 6; ++i) list.push_back('x');
  putTag(list, "fact");
  put32(list, 4);
  put32(list, 3);
  Bytes image = makeWav(16, 1, 8000, pcm16({1, -2, 3}), list);
  audSound s;
  ASSERT_EQ(s.loadWav(image.data(), image.size(), true), 0);
  EXPECT_EQ(s.frames, 3u);
  EXPECT_EQ(decodedSamples(s), (std::vector<int16_t>{1, -2, 3}));
}

// What the data check lets into game.dat, the loader plays; what the mixer cannot play, both refuse. The
// files come from the data tools' writer.
TEST(WavTest, TheLoaderAndTheDataCheckReadTheSameFiles) {
  using datakit::WavChunk;
  using datakit::WavLayout;
  // The extensible format's record after the 16 bytes of the plain one, naming its real tag.
  auto extensible = [](uint16_t tag) {
    Bytes extra;
    put16(extra, 22);      // size of what follows
    put16(extra, 16);      // valid bits
    put32(extra, 0x4);     // the front centre speaker
    put16(extra, tag);     // the sub-format's GUID
    put16(extra, 0x0000);  // ...
    for (uint8_t b : {0x00, 0x00, 0x10, 0x00, 0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}) extra.push_back(b);
    return extra;
  };
  const Bytes pcm = pcm16({1, -2, 3});
  constexpr int kWavFloat = 3, kWavImaAdpcm = 0x11, kWavGsm = 0x31;
  struct Case {
    const char* what;
    WavLayout layout;
    Bytes data;
    int32_t code;  // the loader's
    bool checked;  // the data check lets it in
  } cases[] = {
      {"a chunk of odd size before the data", {.chunksBeforeData = {WavChunk{"LIST", Bytes(3, 'x')}}}, pcm, 0, true},
      {"odd chunks one after another",
       {.chunksBeforeData = {WavChunk{"LIST", Bytes(5, 'x')}, WavChunk{"junk", Bytes(1, 'y')}}},
       pcm,
       0,
       true},
      {"A-law", {.format = datakit::kWavALaw, .bits = 8}, Bytes(6, 0xD5), audSound::kUnplayableFormat, false},
      {"mu-law", {.format = datakit::kWavMuLaw, .bits = 8}, Bytes(6, 0xFF), audSound::kUnplayableFormat, false},
      {"the ADPCM tag on 16-bit frames", {.format = datakit::kWavAdpcm}, pcm, audSound::kUnplayableFormat, false},
      {"PCM in the extensible format", {.format = 0xFFFE, .formatExtra = extensible(datakit::kWavPcm)}, pcm, 0, false},
      {"A-law in the extensible format",
       {.format = 0xFFFE, .bits = 8, .formatExtra = extensible(datakit::kWavALaw)},
       Bytes(6, 0xD5),
       audSound::kUnplayableFormat,
       false},
      // Formats with sample sizes of their own are refused for their format, not for a layout.
      {"IEEE float", {.format = kWavFloat, .bits = 32}, Bytes(12, 0), audSound::kUnplayableFormat, false},
      {"IEEE float in the extensible format",
       {.format = 0xFFFE, .bits = 32, .formatExtra = extensible(kWavFloat)},
       Bytes(12, 0),
       audSound::kUnplayableFormat,
       false},
      {"IMA ADPCM",
       {.format = kWavImaAdpcm, .bits = 4, .blockAlign = 256, .formatExtra = {2, 0, 0xF9, 0x01}},
       Bytes(256, 0),
       audSound::kUnplayableFormat,
       false},
      {"GSM 6.10",
       {.format = kWavGsm, .bits = 0, .blockAlign = 65, .formatExtra = {2, 0, 0x40, 0x01}},
       Bytes(65, 0),
       audSound::kUnplayableFormat,
       false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const Bytes image = datakit::writeWav(c.layout, c.data);
    audSound s;
    EXPECT_EQ(s.loadWav(image.data(), image.size(), true), c.code);
    if (c.code == 0) {
      EXPECT_EQ(decodedSamples(s), (std::vector<int16_t>{1, -2, 3}));
    }
    EXPECT_EQ(datakit::checkWavFile(image).empty(), c.checked);
  }
}

TEST(WavTest, BadImagesAreRefused) {
  Bytes good = makeWav(16, 1, 8000, pcm16({1, 2, 3, 4}));
  auto with = [&](size_t offset, std::vector<uint8_t> bytes) {
    Bytes b = good;
    for (size_t i = 0; i < bytes.size(); ++i) b[offset + i] = bytes[i];
    return b;
  };
  Bytes bigChunk;
  putTag(bigChunk, "junk");
  put32(bigChunk, 0xFFFFFFF0);
  struct Case {
    const char* what;
    Bytes image;
    int32_t code;
  } cases[] = {
      {"no fmt chunk at 12", with(12, {'f', 'm', 't', 'x'}), audSound::kNoFormatChunk},
      {"shorter than a header", Bytes(good.begin(), good.begin() + 16), audSound::kNoFormatChunk},
      {"12 bits", with(34, {12, 0}), audSound::kUnsupported},
      {"3 channels", with(22, {3, 0}), audSound::kUnsupported},
      {"4-bit PCM", with(34, {4, 0}), audSound::kUnsupported},
      {"rate 0", with(24, {0, 0, 0, 0}), audSound::kUnsupported},
      {"format chunk past the end", with(16, {0xFF, 0xFF, 0, 0}), audSound::kTruncated},
      {"no data chunk", makeWav(16, 1, 8000, {}, {}, false), audSound::kNoDataChunk},
      {"data chunk claims more", Bytes(good.begin(), good.end() - 2), audSound::kTruncated},
      {"a chunk size that runs past the image", makeWav(16, 1, 8000, pcm16({1}), bigChunk), audSound::kNoDataChunk},
  };
  for (const Case& c : cases) {
    audSound s;
    EXPECT_EQ(s.loadWav(c.image.data(), c.image.size(), true), c.code) << c.what;
    EXPECT_EQ(s.data, nullptr) << c.what;
  }
  audSound s;
  EXPECT_EQ(s.loadWav(nullptr, 0, true), audSound::kNoData);
}

// sox encodes the fixtures; our decoding must equal sox's own, sample for sample.
TEST(WavTest, AdpcmDecodesLikeSox) {
  if (!run("sox --version >/dev/null")) GTEST_SKIP() << "sox is not installed";
  test::TempFolder folder;
  struct Case {
    int channels;
    int rate;
    const char* synth;
  } cases[] = {
      {1, 8000, "synth 0.3 sine 300:2000 gain -1"},
      {1, 22050, "synth 0.25 square 440 gain -3"},
      {2, 22050, "synth 0.2 sine 440 sine 660 gain -2"},
      {2, 11025, "synth 0.4 pinknoise"},
  };
  for (const Case& c : cases) {
    std::string wav = folder.file("in.wav"), raw = folder.file("out.raw");
    ASSERT_TRUE(run("sox -n -r " + std::to_string(c.rate) + " -c " + std::to_string(c.channels) + " -e ms-adpcm " +
                    wav + " " + c.synth));
    ASSERT_TRUE(run("sox " + wav + " -t raw -e signed-integer -b 16 -L " + raw));
    Bytes image = readFile(wav);
    Bytes expectedBytes = readFile(raw);
    std::vector<int16_t> expected(expectedBytes.size() / 2);
    for (size_t i = 0; i < expected.size(); ++i) {
      expected[i] = static_cast<int16_t>(expectedBytes[2 * i] | (expectedBytes[2 * i + 1] << 8));
    }
    audSound s;
    ASSERT_EQ(s.loadWav(image.data(), image.size(), false), 0) << c.synth;
    EXPECT_TRUE(s.ownsData);
    EXPECT_FALSE(s.eightBit);
    EXPECT_EQ(s.stereo, c.channels == 2);
    EXPECT_EQ(s.rate, c.rate);
    EXPECT_EQ(decodedSamples(s), expected) << c.synth;

    // Cut into the last block: only the whole blocks remain, still equal to sox's.
    size_t blockAlign = image[32] | (image[33] << 8);
    size_t samplesPerBlock = image[38] | (image[39] << 8);
    size_t dataAt = 12;
    while (std::string(image.begin() + dataAt, image.begin() + dataAt + 4) != "data") {
      dataAt += 8 + (image[dataAt + 4] | (image[dataAt + 5] << 8));
    }
    size_t dataSize = image[dataAt + 4] | (image[dataAt + 5] << 8) | (image[dataAt + 6] << 16);
    size_t blocks = dataSize / blockAlign;
    ASSERT_GE(blocks, 2u);
    size_t cut = dataSize - blockAlign / 2;
    Bytes partial(image.begin(), image.begin() + dataAt + 8 + cut);
    for (int i = 0; i < 4; ++i) partial[dataAt + 4 + i] = static_cast<uint8_t>(cut >> (8 * i));
    audSound p;
    ASSERT_EQ(p.loadWav(partial.data(), partial.size(), true), 0);
    EXPECT_EQ(p.frames, (blocks - 1) * samplesPerBlock);
    std::vector<int16_t> whole(expected.begin(), expected.begin() + (blocks - 1) * samplesPerBlock * c.channels);
    EXPECT_EQ(decodedSamples(p), whole);
  }
}

TEST(WavTest, BadAdpcmLayoutsAreRefused) {
  // A hand-made mono ADPCM image: one block of 4 samples (7 header bytes + 1 byte of codes).
  auto adpcm = [](int predictor, int pairs, int samplesPerBlock, int blockAlign) {
    Bytes b;
    putTag(b, "RIFF");
    put32(b, 0);
    putTag(b, "WAVE");
    putTag(b, "fmt ");
    put32(b, 50);
    put16(b, 2);
    put16(b, 1);
    put32(b, 8000);
    put32(b, 4000);
    put16(b, static_cast<uint32_t>(blockAlign));
    put16(b, 4);
    put16(b, 32);
    put16(b, static_cast<uint32_t>(samplesPerBlock));
    put16(b, static_cast<uint32_t>(pairs));
    const int16_t coefficients[7][2] = {{256, 0}, {512, -256}, {0, 0}, {192, 64}, {240, 0}, {460, -208}, {392, -232}};
    for (auto& pair : coefficients) {
      put16(b, static_cast<uint16_t>(pair[0]));
      put16(b, static_cast<uint16_t>(pair[1]));
    }
    putTag(b, "data");
    put32(b, 8);
    b.push_back(static_cast<uint8_t>(predictor));
    put16(b, 16);       // delta
    put16(b, 100);      // sample 1
    put16(b, 50);       // sample 2
    b.push_back(0x17);  // codes +1 and +7
    return b;
  };
  struct Case {
    const char* what;
    Bytes image;
    int32_t code;
  } cases[] = {
      {"good", adpcm(0, 7, 4, 8), 0},
      {"predictor 7", adpcm(7, 7, 4, 8), audSound::kUnsupported},
      {"6 coefficient pairs", adpcm(0, 6, 4, 8), audSound::kUnsupported},
      {"more samples than the block holds", adpcm(0, 7, 6, 8), audSound::kUnsupported},
      {"block smaller than its header", adpcm(0, 7, 2, 6), audSound::kUnsupported},
  };
  for (const Case& c : cases) {
    audSound s;
    EXPECT_EQ(s.loadWav(c.image.data(), c.image.size(), false), c.code) << c.what;
  }
  audSound s;
  Bytes good = adpcm(1, 7, 4, 8);
  ASSERT_EQ(s.loadWav(good.data(), good.size(), false), 0);
  // Sample 2, sample 1, then (2 x 100 - 50) + 16 and, with delta 16, (2 x 166 - 100) + 7 x 16.
  EXPECT_EQ(decodedSamples(s), (std::vector<int16_t>{50, 100, 166, 344}));
}

// Hostile ADPCM: codes that grow the step without end, and coefficients whose two products at full
// scale need more than 32 bits. The decoder stays defined and gives what the codes mean.
TEST(WavTest, AdpcmNeverOverflowsOnHostileCodes) {
  const int16_t coefficients[7][2] = {{256, 0}, {-32768, -32768}, {0, 0},     {192, 64},
                                      {240, 0}, {460, -208},      {392, -232}};
  auto block = [](uint8_t predictor, int16_t delta, int16_t sample1, int16_t sample2, uint8_t code, int codeBytes) {
    Bytes b{predictor};
    put16(b, static_cast<uint16_t>(delta));
    put16(b, static_cast<uint16_t>(sample1));
    put16(b, static_cast<uint16_t>(sample2));
    b.insert(b.end(), static_cast<size_t>(codeBytes), code);
    return b;
  };
  // Every code -8: the step triples each sample, the wave falls to the bottom and stays there.
  const Bytes falling = block(0, 16, 0, 0, 0x88, 60);
  std::vector<int16_t> out;
  ASSERT_TRUE(audSound::decodeAdpcm(falling.data(), falling.size(), 1, static_cast<int>(falling.size()), 122,
                                    coefficients, out));
  ASSERT_EQ(out.size(), 122u);
  for (size_t i = 1; i < out.size(); ++i) EXPECT_LE(out[i], out[i - 1]) << "sample " << i;
  EXPECT_EQ(out.back(), -32768);
  // Both samples at the bottom with both coefficients -32768 predict far above the top: the top it is;
  // then (32767 x -32768 + -32768 x -32768) / 256 = 128.
  const Bytes wide = block(1, 16, -32768, -32768, 0x00, 1);
  ASSERT_TRUE(audSound::decodeAdpcm(wide.data(), wide.size(), 1, static_cast<int>(wide.size()), 4, coefficients, out));
  EXPECT_EQ(out, (std::vector<int16_t>{-32768, -32768, 32767, 128}));
}
