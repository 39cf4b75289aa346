# One interface target that carries the language level, warnings and
# sanitizer flags; every library, program and test links it.
add_library(kvtk_common INTERFACE)
target_compile_features(kvtk_common INTERFACE cxx_std_20)
set(CMAKE_CXX_EXTENSIONS OFF)
target_compile_options(kvtk_common INTERFACE -Wall -Wextra -Wpedantic)
if(KVTK_WERROR)
  target_compile_options(kvtk_common INTERFACE -Werror)
endif()
target_compile_definitions(kvtk_common INTERFACE
  QT_NO_CAST_FROM_ASCII QT_NO_NARROWING_CONVERSIONS_IN_CONNECT)
if(KVTK_SANITIZE)
  target_compile_options(kvtk_common INTERFACE
    -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  target_link_options(kvtk_common INTERFACE -fsanitize=address,undefined)
endif()
