# kvtk_add_test(<name> [CORE|GUI] LABEL unit|integration SOURCES ... LIBS ...)
# Builds one GoogleTest program and registers its tests with ctest.
# A test program links tests/support (a main() that creates the
# QCoreApplication, or with GUI the QApplication, first), so Qt code can be
# exercised; a CORE one tests standard C++ only and takes GoogleTest's main(),
# so that it builds without Qt (KVTK_CORE_ONLY, the Windows cross build).
function(kvtk_add_test name)
  cmake_parse_arguments(T "CORE;GUI" "LABEL;TIMEOUT" "SOURCES;LIBS" ${ARGN})
  if(NOT T_LABEL)
    set(T_LABEL unit)
  endif()
  if(NOT T_TIMEOUT)
    if(T_LABEL STREQUAL "unit")
      set(T_TIMEOUT 60)
    else()
      set(T_TIMEOUT 300)
    endif()
  endif()
  add_executable(${name} ${T_SOURCES})
  if(T_CORE)
    target_link_libraries(${name} PRIVATE GTest::gmock_main)
  elseif(T_GUI)
    target_link_libraries(${name} PRIVATE kvtk_test_main_gui)
  else()
    target_link_libraries(${name} PRIVATE kvtk_test_main)
  endif()
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gmock kvtk_common)
  # Parameterised tests keep the names their suites give them (or their
  # index), never a dump of the parameter's bytes.
  gtest_discover_tests(${name}
    NO_PRETTY_VALUES
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60
    PROPERTIES LABELS ${T_LABEL} TIMEOUT ${T_TIMEOUT}
               ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()
