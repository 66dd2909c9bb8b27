add_library(vd_warnings INTERFACE)
target_compile_options(vd_warnings INTERFACE -Wall -Wextra)
if(WIN32)
  target_compile_definitions(vd_warnings INTERFACE UNICODE _UNICODE NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)
else()
  # Native builds exist for the unit tests: run them under the sanitizers.
  target_compile_options(vd_warnings INTERFACE -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
  target_link_options(vd_warnings INTERFACE -fsanitize=address,undefined)
endif()
