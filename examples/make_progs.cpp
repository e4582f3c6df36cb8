// Writes the example progs.dat: a small compiled game program of this
// tool's own invented layout, made only to show and test bpadmin.
//
//   header    "BPPR", format version, then four sections {tag, offset, size}
//   STRS      the string table: NUL-separated strings, the ten map-name
//             placeholders among them
//   CODE      fixed-size instructions
//   FUNC      function records pointing into the code and string table
//   DATA      initial values of the program's globals
//
// Every number is a little-endian 32-bit word. The placeholders lie in the
// first 16,383 bytes, where bpadmin looks for them; the rest of the file is
// there to show that bpadmin leaves it alone.
//
// Usage: make_progs OUTPUT

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;

void PutWord(Bytes& out, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) {
    out.push_back(static_cast<unsigned char>(value >> (8 * i)));
  }
}

void PutString(Bytes& out, const std::string& text) {
  out.insert(out.end(), text.begin(), text.end());
  out.push_back('\0');
}

// A map-name placeholder: a 16-byte slot holding a default name and NUL
// padding, then the slot marker "lt!g" and the slot's digit.
void PutPlaceholder(Bytes& out, int slot, const std::string& name) {
  Bytes field(16, '\0');
  for (std::size_t i = 0; i < name.size() && i < 15; ++i) {
    field[i] = static_cast<unsigned char>(name[i]);
  }
  out.insert(out.end(), field.begin(), field.end());
  for (char c : std::string("lt!g"))
    out.push_back(static_cast<unsigned char>(c));
  out.push_back(static_cast<unsigned char>('0' + slot));
  out.push_back('\0');
}

// Deterministic filler, so the file is the same on every rebuild.
std::uint32_t Next(std::uint32_t& state) {
  state = state * 1664525u + 1013904223u;
  return state >> 8;
}

Bytes StringTable() {
  const char* const names[] = {
      "",
      "main",
      "world_start",
      "player_spawn",
      "player_think",
      "player_pain",
      "player_die",
      "weapon_fire",
      "weapon_switch",
      "item_touch",
      "item_respawn",
      "door_open",
      "door_close",
      "lift_go_up",
      "lift_go_down",
      "trigger_push",
      "spark_think",
      "bolt_touch",
      "grenade_think",
      "score_add",
      "round_start",
      "round_end",
      "vote_start",
      "vote_cast",
      "map_next",
      "map_rotate",
      "server_say",
      "health",
      "armor",
      "frags",
      "origin",
      "velocity",
      "angles",
      "model",
      "sound",
      "skin",
      "progs/hero.mdl",
      "progs/bolt.mdl",
      "sound/jump.wav",
      "sound/land.wav",
      "You need the brass key\n",
      "The round begins!\n",
      "%s took the lead\n",
      "Vote passed\n",
      "Not enough players to start\n",
      "Next arena: %s\n",
      "fraglimit",
      "timelimit",
      "teamplay",
      "deathmatch",
  };
  // The rotation the program ships with; examples/bpmaps.cfg replaces it.
  const char* const maps[] = {"dm_start",  "dm_hall", "dm_yard",  "dm_tower",
                              "dm_ash",    "dm_pit",  "dm_works", "dm_gate",
                              "dm_bridge", "dm_deep"};
  Bytes table;
  int next_map = 0;
  int count = 0;
  for (const char* name : names) {
    PutString(table, name);
    // Spread the placeholders among the other strings.
    if (++count % 5 == 0 && next_map < 10) {
      PutPlaceholder(table, next_map, maps[next_map]);
      ++next_map;
    }
  }
  for (int i = 0; i < 60; ++i) {
    PutString(table, "localvar_" + std::to_string(i));
  }
  return table;
}

Bytes Code(std::uint32_t& state) {
  Bytes code;
  for (int i = 0; i < 2600; ++i) {  // opcode, then three operand words
    PutWord(code, Next(state) % 64);
    for (int k = 0; k < 3; ++k) PutWord(code, Next(state) % 4096);
  }
  return code;
}

Bytes Functions(std::uint32_t& state) {
  Bytes functions;
  for (std::uint32_t i = 0; i < 50; ++i) {  // first statement, name, locals
    PutWord(functions, i * 52);
    PutWord(functions, Next(state) % 2000);
    PutWord(functions, Next(state) % 16);
  }
  return functions;
}

Bytes Globals(std::uint32_t& state) {
  Bytes globals;
  for (int i = 0; i < 2800; ++i) PutWord(globals, Next(state) % 100000);
  return globals;
}

// True when "t!g" occurs anywhere but in the ten placeholders.
bool HasStrayMarker(const Bytes& file) {
  int found = 0;
  for (std::size_t p = 0; p + 2 < file.size(); ++p) {
    if (file[p] == 't' && file[p + 1] == '!' && file[p + 2] == 'g') ++found;
  }
  return found != 10;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_progs OUTPUT\n");
    return 2;
  }
  std::uint32_t state = 20261209;
  const Bytes sections[] = {StringTable(), Code(state), Functions(state),
                            Globals(state)};
  const char* const tags[] = {"STRS", "CODE", "FUNC", "DATA"};

  Bytes file = {'B', 'P', 'P', 'R'};
  PutWord(file, 3);  // format version
  std::uint32_t offset = 8 + 4 * 12;
  for (int i = 0; i < 4; ++i) {
    file.insert(file.end(), tags[i], tags[i] + 4);
    PutWord(file, offset);
    PutWord(file, static_cast<std::uint32_t>(sections[i].size()));
    offset += static_cast<std::uint32_t>(sections[i].size());
  }
  for (const Bytes& section : sections) {
    file.insert(file.end(), section.begin(), section.end());
  }
  if (HasStrayMarker(file)) {
    std::fprintf(stderr, "make_progs: the filler spells a slot marker\n");
    return 1;
  }
  std::FILE* out = std::fopen(argv[1], "wb");
  if (out == nullptr ||
      std::fwrite(file.data(), 1, file.size(), out) != file.size() ||
      std::fclose(out) != 0) {
    std::fprintf(stderr, "make_progs: cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
