// The checker's tests of single files: sounds, modules, help texts, image tables, animation lists.
#pragma once

#include <string>
#include <vector>

#include "Png.h"
#include "TextTables.h"

namespace datakit {

struct Fault {
  int line = 0;
  std::string message;
};

std::vector<std::u16string> splitText(const std::u16string& text, char16_t sep);

// A PNG without alpha and without near-magenta pixels that the device would key out by surprise.
std::vector<Fault> checkPictureFile(const Bytes& file);
// A WAVE file the mixer loads, PCM or ADPCM, that does not clip.
std::vector<Fault> checkWavFile(const Bytes& file);
// A four-channel module whose size matches what its header announces.
std::vector<Fault> checkModFile(const Bytes& file);
// Help paragraphs the help page shows as written.
std::vector<Fault> checkHelpLines(const std::vector<TableLine>& paragraphs);
// "key;x;y;w;h" lines whose rectangles lie inside the picture.
std::vector<Fault> checkImageTableLines(const std::vector<TableLine>& lines, const PngInfo& picture,
                                        const std::string& pictureName);
// "name=frame;frame" lines whose frames, their turning suffixes cut off, are keys of the image table.
std::vector<Fault> checkAnimationLines(const std::vector<TableLine>& lines, const std::vector<TableLine>& images,
                                       const std::string& imagesName);

}  // namespace datakit
