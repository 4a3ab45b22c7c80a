# The layers of src/: which folders each folder may include besides its own.
# tessaro_core_module declares the core's (and enforces them through include
# paths); the picture library, the windows and the command line declare theirs
# beside their targets. The layering test (tests/layering) checks every
# #include "core/…", "gui/…", "picture/…" and "cli/…" against these lines and
# rejects any cycle among them.
function(tessaro_layer folder)
  list(JOIN ARGN " " allowed)
  set_property(GLOBAL APPEND PROPERTY TESSARO_LAYERS "${folder}: ${allowed}")
endfunction()

# Writes the declarations to FILE, one "folder: allowed..." line each.
function(tessaro_write_layers file)
  get_property(layers GLOBAL PROPERTY TESSARO_LAYERS)
  list(JOIN layers "\n" text)
  file(WRITE ${file} "${text}\n")
endfunction()
