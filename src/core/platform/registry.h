// The machine-wide key-value store: "IdTS", "Informacja", "PodswietlajBloki".
//
// A small text file "tsreg.dat" in the program folder stands in for a system
// registry key. Each line is one value, "Name=Value", in Windows-1250; names
// match without regard to letter case, as registry value names do. The file is
// opened (and created when missing) on every call and closed afterwards.
//
// Failure rule: the first read or write that fails calls the failure handler
// once (the program shows one notice) and disables the store; from then on
// reads return an empty text and writes do nothing.
#pragma once

#include <random>
#include <string>

namespace tessaro {

constexpr const char* kRegistryFile = "tsreg.dat";

std::string RegistryReadString(const std::string& name);
void RegistryWriteString(const std::string& name, const std::string& value);

// Whether a failure has disabled the store for the rest of the run.
bool RegistryDisabled();

// Called once, at the first failure. The host shows its notice here.
using RegistryFailureHandler = void (*)();
void SetRegistryFailureHandler(RegistryFailureHandler handler);

// Enables the store again (a new run of the program, or a test).
void ResetRegistry();

// A new anonymous installation identifier: 16 capital letters, each chosen
// uniformly from "A" to "X".
std::string NewUserId(std::mt19937& random);

}  // namespace tessaro
