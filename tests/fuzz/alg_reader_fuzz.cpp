// Feeds arbitrary bytes to the algorithm reader.
//
// Besides crashes and sanitizer reports, it checks the reader's promises: a
// rejected stream leaves the diagram as it was, and an accepted one writes
// back and reads again to the same elements.
#include <cstdint>
#include <cstdlib>
#include <span>

#include "core/document/alg_reader.h"
#include "core/document/alg_writer.h"
#include "core/document/document_state.h"
#include "core/platform/dialogs.h"

namespace {

class SilentDialogs final : public tessaro::Dialogs {
 public:
  void Komunikat(const std::string&, const std::string&) override {}
  tessaro::Answer PytanieTakNie(const std::string&, const std::string&,
                                tessaro::QuestionIcon) override {
    return tessaro::Answer::No;
  }
  tessaro::Answer PytanieTakNieAnuluj(const std::string&, const std::string&) override {
    return tessaro::Answer::No;
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static SilentDialogs dialogs;
  tessaro::SetDialogs(&dialogs);

  tessaro::TDocumentState state;
  tessaro::Tobj sentinel;
  sentinel.Kod = "sentinel";
  state.Bloki = {sentinel};

  if (!tessaro::WczytajSchemat(state, std::span<const uint8_t>(data, size))) {
    if (state.Bloki.size() != 1 || !(state.Bloki[0] == sentinel)) std::abort();
    return 0;
  }
  tessaro::TMemoryStream again;
  if (!tessaro::ZapiszSchemat(state.Bloki, again)) std::abort();  // read texts always fit
  tessaro::TAlgRead reread = tessaro::ReadAlgorithm(again, {});
  if (!reread.ok || reread.bloki != state.Bloki) std::abort();
  return 0;
}
