#ifndef BPADMIN_TEST_UTIL_H_
#define BPADMIN_TEST_UTIL_H_

#include <cstddef>
#include <string>

/// Where the ten placeholders of MakeProgs lie: slot n starts here; the
/// placeholders of slots 8 and 9 touch.
std::size_t SlotStart(int n);

/// Writes a placeholder into bytes: a 16-byte slot holding name (NUL
/// padded) at pos, then the marker "lt!g" and digit.
void PutPlaceholder(std::string& bytes, std::size_t pos, char digit,
                    const std::string& name = "");

/// A progs.dat of size bytes: filler without a "t!g", and the ten
/// placeholders at SlotStart(0..9), slot n holding "map<n>".
std::string MakeProgs(std::size_t size = 20000);

/// Loads bytes into progs_image as the tool does: at most its first 16,383
/// bytes, then NUL to the end.
void SetImage(const std::string& bytes);

/// Loads text into config_text in the same way.
void SetConfig(const std::string& text);

/// The 16 bytes of map slot n of progs_image, at SlotStart(n).
std::string SlotBytes(int n);

/// The map name in slot n of progs_image, up to its NUL.
std::string SlotText(int n);

#endif  // BPADMIN_TEST_UTIL_H_
