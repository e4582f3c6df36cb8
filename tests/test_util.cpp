#include "test_util.h"

#include <cstring>

#include "common.h"

namespace {

void Load(char* buffer, const std::string& bytes) {
  std::memset(buffer, 0, IMAGE_SIZE);
  std::memcpy(buffer, bytes.data(),
              bytes.size() < IMAGE_SIZE - 1 ? bytes.size() : IMAGE_SIZE - 1);
}

}  // namespace

// Slot 9's placeholder touches slot 8's, so that every test that names slot
// 9 also stores a name right after a touching placeholder.
std::size_t SlotStart(int n) {
  return n < 9 ? 100 + 40 * static_cast<std::size_t>(n) : SlotStart(8) + 21;
}

std::vector<Placeholder> TenSlots() {
  std::vector<Placeholder> slots;
  for (int n = 0; n < 10; ++n) {
    slots.push_back(
        {SlotStart(n), static_cast<char>('0' + n), "map" + std::to_string(n)});
  }
  return slots;
}

void PutPlaceholder(std::string& bytes, std::size_t pos, char digit,
                    const std::string& name) {
  std::string placeholder(16, '\0');
  placeholder.replace(0, name.size(), name);
  placeholder += "lt!g";
  placeholder += digit;
  bytes.replace(pos, placeholder.size(), placeholder);
}

std::string MakeProgs(std::size_t size, const std::vector<Placeholder>& slots) {
  std::string bytes(size, '\0');
  for (std::size_t i = 0; i < size; ++i) {
    const char c = static_cast<char>(i * 7 % 251);
    bytes[i] = c == 't' ? 'u' : c;
  }
  for (const Placeholder& p : slots) {
    PutPlaceholder(bytes, p.pos, p.digit, p.name);
  }
  return bytes;
}

std::string WithNames(std::string progs,
                      const std::vector<std::pair<int, std::string>>& names) {
  for (int n = 0; n < 10; ++n) progs[SlotStart(n)] = '\0';
  for (const auto& [slot, name] : names) {
    progs.replace(SlotStart(slot), name.size() + 1, name + '\0');
  }
  return progs;
}

void SetImage(const std::string& bytes) { Load(progs_image, bytes); }

void SetConfig(const std::string& text) { Load(config_text, text); }

std::string SlotBytes(int n) {
  return std::string(progs_image + SlotStart(n), 16);
}

std::string SlotText(int n) { return std::string(progs_image + SlotStart(n)); }
