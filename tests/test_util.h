#ifndef BPADMIN_TEST_UTIL_H_
#define BPADMIN_TEST_UTIL_H_

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

/// One placeholder of a made progs.dat: a 16-byte slot at pos holding name,
/// NUL padded, then the marker "lt!g" and digit.
struct Placeholder {
  std::size_t pos;
  char digit;
  std::string name = "";
};

/// Where slot n of TenSlots() starts; the placeholders of 8 and 9 touch.
std::size_t SlotStart(int n);

/// The ten placeholders in order, slot n at SlotStart(n) holding "map<n>".
std::vector<Placeholder> TenSlots();

/// Writes one placeholder into bytes.
void PutPlaceholder(std::string& bytes, std::size_t pos, char digit,
                    const std::string& name = "");

/// A progs.dat of size bytes: filler without a "t!g", then the placeholders.
std::string MakeProgs(std::size_t size = 20000,
                      const std::vector<Placeholder>& slots = TenSlots());

/// progs after a run that stored names: every slot emptied, then each name
/// and its NUL written in turn.
std::string WithNames(std::string progs,
                      const std::vector<std::pair<int, std::string>>& names);

/// Loads bytes into progs_image as the tool does: at most 16,383, then NUL.
void SetImage(const std::string& bytes);

/// Loads text into config_text in the same way.
void SetConfig(const std::string& text);

/// The 16 bytes of map slot n of progs_image, at SlotStart(n).
std::string SlotBytes(int n);

/// The map name in slot n of progs_image, up to its NUL.
std::string SlotText(int n);

#endif  // BPADMIN_TEST_UTIL_H_
