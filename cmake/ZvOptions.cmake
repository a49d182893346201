# One interface target carries the language level, warnings and sanitizer
# flags for every target of the project.
add_library(zv_options INTERFACE)
target_compile_features(zv_options INTERFACE cxx_std_20)
target_compile_options(zv_options INTERFACE -Wall -Wextra)
target_include_directories(zv_options INTERFACE ${PROJECT_SOURCE_DIR}/src)

if(ZV_SANITIZE)
  set(_zv_san -fsanitize=address,undefined,float-cast-overflow -fno-sanitize-recover=undefined,float-cast-overflow -fno-omit-frame-pointer)
  target_compile_options(zv_options INTERFACE ${_zv_san})
  target_link_options(zv_options INTERFACE ${_zv_san})
endif()

if(ZV_FUZZ)
  target_compile_options(zv_options INTERFACE -fsanitize=fuzzer-no-link,address,undefined)
  target_link_options(zv_options INTERFACE -fsanitize=address,undefined)
endif()
