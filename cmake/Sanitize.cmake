# ASan+UBSan for the whole tree: every target, library and test, is instrumented so a fault in
# a parser shows in any test that reaches it. UBSan faults abort instead of printing and going on.
if(TESSALY_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()
