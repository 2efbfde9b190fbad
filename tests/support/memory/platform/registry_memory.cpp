#include "platform/registry_memory.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <map>
#include <memory>
#include <set>
#include <utility>

namespace platform {
namespace {

constexpr long REGISTRY_FILE_NOT_FOUND = 2;   // ERROR_FILE_NOT_FOUND
constexpr long REGISTRY_ACCESS_DENIED = 5;   // ERROR_ACCESS_DENIED
constexpr long REGISTRY_MORE_DATA = 234;     // ERROR_MORE_DATA

using KeyName = std::pair<Hive, std::string>;

struct OpenKey {
  KeyName name;
};

struct State {
  std::map<KeyName, std::map<std::string, std::string>> keys;
  std::set<OpenKey*> open;
  bool failCreate = false;
};

State& Registry() {
  static State state;
  return state;
}

// Registry key and value names ignore letter case.
std::string Folded(const std::string& s) {
  std::string out = s;
  std::transform(out.begin(), out.end(), out.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return out;
}

KeyName NameOf(Hive hive, const char* subKey) { return {hive, Folded(subKey ? subKey : "")}; }

RegistryKey Open(const KeyName& name) {
  auto* key = new OpenKey{name};
  Registry().open.insert(key);
  return key;
}

}  // namespace

long RegistryOpenForQuery(Hive hive, const char* subKey, RegistryKey* key) {
  *key = nullptr;
  KeyName name = NameOf(hive, subKey);
  if (!Registry().keys.count(name)) return REGISTRY_FILE_NOT_FOUND;
  *key = Open(name);
  return REGISTRY_OK;
}

long RegistryQueryValue(RegistryKey key, const char* valueName, unsigned char* data,
                        unsigned long* size) {
  auto* open = static_cast<OpenKey*>(key);
  auto& values = Registry().keys[open->name];
  auto found = values.find(Folded(valueName ? valueName : ""));
  if (found == values.end()) return REGISTRY_FILE_NOT_FOUND;
  const std::string& stored = found->second;
  unsigned long capacity = *size;
  *size = static_cast<unsigned long>(stored.size());
  if (stored.size() > capacity) return REGISTRY_MORE_DATA;
  std::memcpy(data, stored.data(), stored.size());
  return REGISTRY_OK;
}

long RegistryCreateKey(Hive hive, const char* subKey, RegistryKey* key) {
  *key = nullptr;
  if (Registry().failCreate) return REGISTRY_ACCESS_DENIED;
  KeyName name = NameOf(hive, subKey);
  Registry().keys[name];
  *key = Open(name);
  return REGISTRY_OK;
}

long RegistrySetDefaultText(Hive hive, const char* subKey, const char* text) {
  if (Registry().failCreate) return REGISTRY_ACCESS_DENIED;
  // RegSetValueA stores the text with its terminator.
  Registry().keys[NameOf(hive, subKey)][""] = std::string(text, std::strlen(text) + 1);
  return REGISTRY_OK;
}

void RegistryCloseKey(RegistryKey key) {
  auto* open = static_cast<OpenKey*>(key);
  if (Registry().open.erase(open)) delete open;
}

namespace memory_registry {

void Reset() {
  for (OpenKey* key : Registry().open) delete key;
  Registry() = State{};
}

void SetValue(Hive hive, const std::string& key, const std::string& valueName,
              const std::string& data) {
  Registry().keys[NameOf(hive, key.c_str())][Folded(valueName)] = data;
}

const std::string* Value(Hive hive, const std::string& key, const std::string& valueName) {
  auto k = Registry().keys.find(NameOf(hive, key.c_str()));
  if (k == Registry().keys.end()) return nullptr;
  auto v = k->second.find(Folded(valueName));
  return v == k->second.end() ? nullptr : &v->second;
}

void FailKeyCreation(bool fail) { Registry().failCreate = fail; }

int OpenKeys() { return static_cast<int>(Registry().open.size()); }

}  // namespace memory_registry
}  // namespace platform
