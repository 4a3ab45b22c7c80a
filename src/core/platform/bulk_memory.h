// Advice to the operating system about a large block the program is about to
// fill at once, such as the cells of a declared array.
#pragma once

#include <cstddef>

namespace tessaro {

// Asks for the block's pages to be mapped now, in large pages where the
// system offers them, instead of one fault per small page as the block is
// first written: on some virtual machines each such fault costs as much as
// filling the page many times over. Blocks under a megabyte are left alone;
// the advice is only a hint and its failure changes nothing.
void PrepareBulkMemory(void* begin, size_t bytes);

}  // namespace tessaro
