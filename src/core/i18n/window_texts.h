// The form of a window's translation table.
//
// Each window owns a fixed block of "msg" identifiers, numbered in the order
// of its components. The allocation is kept in one table per window, in a
// header of its own under windows/ (windows/<window>_texts.h, for example
// windows/tools_texts.h); the window's re-translation handler walks its table
// and sets each target to LangText(id), and the tests check that every
// identifier of every table has a text in each translation file. A new
// window adds a header there; the main window's table is
// windows/main_texts.h. Numbers are fixed once given: never renumber.
//
// A target names the component as the window's code knows it, with the
// property after a dot when it is not the visible caption: "Caption" is the
// window's own title, "Label1" a label's text, "acZmienCzcionke.Hint" a hint.
#pragma once

namespace tessaro {

struct WindowText {
  const char* target;
  const char* id;
};

}  // namespace tessaro
