# Helpers shared by every folder's CMakeLists.txt.
#
# qor_core_library(name SOURCES ... LINKS ...): a library of logic with no widget.
#   It must never reach Qt6::Widgets, directly or through another target;
#   qor_check_core_libraries() (called at the end of the top-level file) fails
#   the configure step when one does.
# qor_ui_library(name SOURCES ... LINKS ...): a library that may use widgets.
# qor_test(name SOURCES ... LINKS ...): one QtTest binary = one ctest.

set_property(GLOBAL PROPERTY QOR_CORE_LIBRARIES "")

function(qor_core_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LINKS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_LINKS})
  set_property(GLOBAL APPEND PROPERTY QOR_CORE_LIBRARIES ${name})
endfunction()

function(qor_ui_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LINKS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC Qt6::Widgets ${ARG_LINKS})
endfunction()

function(_qor_reaches_widgets target out visited)
  set(${out} FALSE PARENT_SCOPE)
  if(target STREQUAL "Qt6::Widgets")
    set(${out} TRUE PARENT_SCOPE)
    return()
  endif()
  if(NOT TARGET ${target})
    return()
  endif()
  get_target_property(aliased ${target} ALIASED_TARGET)
  if(aliased)
    set(target ${aliased})
  endif()
  get_target_property(imported ${target} IMPORTED)
  if(imported)
    get_target_property(libs ${target} INTERFACE_LINK_LIBRARIES)
  else()
    get_target_property(libs ${target} LINK_LIBRARIES)
  endif()
  if(NOT libs)
    return()
  endif()
  foreach(lib IN LISTS libs)
    string(REGEX REPLACE "^\\$<LINK_ONLY:(.*)>$" "\\1" lib "${lib}")
    if(lib IN_LIST visited)
      continue()
    endif()
    list(APPEND visited ${lib})
    _qor_reaches_widgets(${lib} hit "${visited}")
    if(hit)
      set(${out} TRUE PARENT_SCOPE)
      return()
    endif()
  endforeach()
endfunction()

function(qor_check_core_libraries)
  get_property(cores GLOBAL PROPERTY QOR_CORE_LIBRARIES)
  foreach(core IN LISTS cores)
    _qor_reaches_widgets(${core} hit "")
    if(hit)
      message(FATAL_ERROR "${core} is a core library and must not link Qt6::Widgets")
    endif()
  endforeach()
endfunction()

function(qor_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LINKS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE Qt6::Test qor_test_support ${ARG_LINKS})
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;TZ=America/Sao_Paulo;LANG=C.UTF-8;LC_ALL=C.UTF-8;QORCAIXA_TEST=1"
    TIMEOUT 300)
endfunction()

# Adds every immediate sub-folder that has a CMakeLists.txt, so each folder's
# owner edits only its own file.
function(qor_add_subdirectories)
  file(GLOB children LIST_DIRECTORIES true RELATIVE ${CMAKE_CURRENT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR}/*)
  list(SORT children)
  foreach(child IN LISTS children)
    if(IS_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}/${child} AND EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${child}/CMakeLists.txt)
      add_subdirectory(${child})
    endif()
  endforeach()
endfunction()
