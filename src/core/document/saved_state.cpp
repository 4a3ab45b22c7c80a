#include "core/document/saved_state.h"

#include "core/document/alg_reader.h"
#include "core/document/snapshots.h"

namespace tessaro {

bool DiffersFromFile(const std::vector<Tobj>& bloki, const TMemoryStream& saved) {
  if (saved.empty()) return !bloki.empty();
  const TAlgRead read = ReadAlgorithm(saved, TElementDefaults{});
  return !read.ok || !SameWork(bloki, read.bloki);
}

bool DiffersFromFile(const TMemoryStream& diagram, const TMemoryStream& saved) {
  if (diagram == saved) return false;
  const TAlgRead read = ReadAlgorithm(diagram, TElementDefaults{});
  return !read.ok || DiffersFromFile(read.bloki, saved);
}

}  // namespace tessaro
