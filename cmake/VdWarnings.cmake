add_library(vd_warnings INTERFACE)
target_compile_options(vd_warnings INTERFACE -Wall -Wextra)
if(WIN32)
  target_compile_definitions(vd_warnings INTERFACE UNICODE _UNICODE NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)
  # mingw-w64 has the stack protector and fortified string calls in its static
  # libssp (linked in by -fstack-protector-strong; the guard's seed adds an
  # advapi32 import). No ASan or UBSan runtime ships for mingw; UBSan's trap
  # mode needs none, so the test builds stop at undefined behaviour.
  target_compile_options(vd_warnings INTERFACE -fstack-protector-strong)
  target_compile_definitions(vd_warnings INTERFACE _FORTIFY_SOURCE=2)
  target_link_options(vd_warnings INTERFACE -fstack-protector-strong)
  if(VD_BUILD_TESTS)
    target_compile_options(vd_warnings INTERFACE -fsanitize=undefined -fsanitize-undefined-trap-on-error)
  endif()
else()
  # Native builds exist for the unit tests: run them under the sanitizers.
  target_compile_options(vd_warnings INTERFACE -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
  target_link_options(vd_warnings INTERFACE -fsanitize=address,undefined)
endif()
