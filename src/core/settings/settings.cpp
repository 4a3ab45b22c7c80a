#include "core/settings/settings.h"

#include <variant>

#include "core/platform/program_paths.h"
#include "core/settings/config.h"

namespace tessaro {

namespace {

void ReadKey(const TConfig& config, const SettingKey& key, TSettings& s) {
  if (config.IndexOfKey(key.name) < 0) {
    if (key.flag) s.*key.flag = key.missing_number != 0;
    if (key.number && !key.missing_keeps_current) s.*key.number = key.missing_number;
    if (key.text) s.*key.text = key.missing_text;
    return;
  }
  ConfigValue v = config.ReadValue(key.name, {});
  // Booleans come back from the file as integers; any non-zero one is true.
  if (key.flag) {
    if (const std::int32_t* i = std::get_if<std::int32_t>(&v)) s.*key.flag = *i != 0;
    if (const bool* b = std::get_if<bool>(&v)) s.*key.flag = *b;
  } else if (key.number) {
    if (const std::int32_t* i = std::get_if<std::int32_t>(&v)) s.*key.number = *i;
    if (const bool* b = std::get_if<bool>(&v)) s.*key.number = *b ? -1 : 0;
  } else if (const std::string* t = std::get_if<std::string>(&v)) {
    s.*key.text = *t;
  }
}

ConfigValue FieldValue(const SettingKey& key, const TSettings& s) {
  if (key.flag) return s.*key.flag;
  if (key.number) return s.*key.number;
  return s.*key.text;
}

}  // namespace

TSettings RestoredDefaults() {
  TSettings s;
  for (const SettingKey& key : kSettingKeys) {
    if (key.flag) s.*key.flag = key.restored_number != 0;
    if (key.number) s.*key.number = key.restored_number;
    if (key.text) s.*key.text = key.restored_text;
  }
  return s;
}

std::string SettingsPath() { return UserFile("tsset.dat"); }

void LoadSettings(TSettings& settings, const std::string& path) {
  TConfig config(path);
  config.LoadFromFile();  // a damaged file still yields the entries read before the damage
  for (const SettingKey& key : kSettingKeys) ReadKey(config, key, settings);
}

bool SaveSettings(const TSettings& settings, const std::string& path) {
  TConfig config(path);
  for (const SettingKey& key : kSettingKeys) config.WriteValue(key.name, FieldValue(key, settings));
  return config.SaveToFile();
}

}  // namespace tessaro
