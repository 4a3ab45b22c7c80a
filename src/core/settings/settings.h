// The user's options as kept in "tsset.dat", and the one table of their keys.
#pragma once

#include <cstdint>
#include <string>

namespace tessaro {

// The options in force. Every field is a key of kSettingKeys; the GUI applies
// the record (theme, compiler flags, defaults for new blocks).
struct TSettings {
  bool ZamieniajOperator = true;   // replace operators while block contents are typed
  bool DynamiczneTablice = true;   // arrays grow on access beyond their size
  bool WielkoscLiter = true;       // names are case-sensitive
  bool PodswietlajBloki = true;    // highlight the executing block
  bool KonsolaWejscie = false;     // `read` takes input from the console
  bool KonsolaWyjscie = false;     // `write` prints to the console
  std::string NazwaCzcionki = "Courier New";  // font of new blocks
  std::int32_t RozmiarCzcionki = 9;           // points
  std::int32_t KolorWypelnienia = 0xBBFFFF;   // fill of new blocks, 0x00BBGGRR
  std::int32_t KolorObrysu = 0;               // outline of new blocks
  bool WersjaPilotazowa = false;   // pilot mode: usage events and error reports are sent
  std::string Interfejs = "Office2003";  // visual theme
  bool SprawdzajAktualizacje = false;  // ask the web service for a newer version once per start
  std::int32_t LimitPamieci = 256;     // MB a running program's values may take
  std::int32_t LimitHistorii = 64;     // MB the history of a run may take for stepping back; 0 keeps none
};

// One settings key: the field it fills, its default when the file lacks it
// and its value after "restore defaults" in the configuration dialog.
struct SettingKey {
  const char* name;
  bool TSettings::*flag;
  std::int32_t TSettings::*number;
  std::string TSettings::*text;
  // Default when missing; for the colours the record's current value is kept instead.
  std::int32_t missing_number;
  const char* missing_text;
  bool missing_keeps_current;
  std::int32_t restored_number;
  const char* restored_text;
};

// In file order.
inline constexpr SettingKey kSettingKeys[] = {
    {"ZamieniajOperator", &TSettings::ZamieniajOperator, nullptr, nullptr, 1, nullptr, false, 1, nullptr},
    {"DynamiczneTablice", &TSettings::DynamiczneTablice, nullptr, nullptr, 1, nullptr, false, 1, nullptr},
    {"WielkoscLiter", &TSettings::WielkoscLiter, nullptr, nullptr, 1, nullptr, false, 0, nullptr},
    {"PodswietlajBloki", &TSettings::PodswietlajBloki, nullptr, nullptr, 1, nullptr, false, 1, nullptr},
    {"KonsolaWejscie", &TSettings::KonsolaWejscie, nullptr, nullptr, 0, nullptr, false, 0, nullptr},
    {"KonsolaWyjscie", &TSettings::KonsolaWyjscie, nullptr, nullptr, 0, nullptr, false, 0, nullptr},
    {"NazwaCzcionki", nullptr, nullptr, &TSettings::NazwaCzcionki, 0, "Courier New", false, 0, "Courier New"},
    {"RozmiarCzcionki", nullptr, &TSettings::RozmiarCzcionki, nullptr, 9, nullptr, false, 9, nullptr},
    {"KolorWypelnienia", nullptr, &TSettings::KolorWypelnienia, nullptr, 0xBBFFFF, nullptr, true, 0xBBFFFF, nullptr},
    {"KolorObrysu", nullptr, &TSettings::KolorObrysu, nullptr, 0, nullptr, true, 0, nullptr},
    {"WersjaPilotazowa", &TSettings::WersjaPilotazowa, nullptr, nullptr, 0, nullptr, false, 0, nullptr},
    {"Interfejs", nullptr, nullptr, &TSettings::Interfejs, 0, "Office2003", false, 0, "Office2003"},
    {"SprawdzajAktualizacje", &TSettings::SprawdzajAktualizacje, nullptr, nullptr, 0, nullptr, false, 0, nullptr},
    {"LimitPamieci", nullptr, &TSettings::LimitPamieci, nullptr, 256, nullptr, false, 256, nullptr},
    {"LimitHistorii", nullptr, &TSettings::LimitHistorii, nullptr, 64, nullptr, false, 64, nullptr},
};

// The values the configuration dialog's "restore defaults" puts in place.
TSettings RestoredDefaults();

// The program folder's "tsset.dat".
std::string SettingsPath();

// Reads the keys from `path` into `settings`. A missing key takes its
// default; a file that is missing, short or corrupt gives the keys read
// before the damage and defaults for the rest. A value of the wrong kind
// leaves that field as it was. Never reports anything.
void LoadSettings(TSettings& settings, const std::string& path = SettingsPath());

// Writes exactly the keys of kSettingKeys, in table order, into a fresh file at `path`
// (the old file is not read). False when it cannot be written; the old file
// is then left intact.
bool SaveSettings(const TSettings& settings, const std::string& path = SettingsPath());

}  // namespace tessaro
