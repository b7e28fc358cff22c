# Warning flags for every target of ours; third-party headers are system includes.
add_library(roamer_warnings INTERFACE)
target_compile_options(roamer_warnings INTERFACE
  -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wsign-conversion
  -Wnon-virtual-dtor -Woverloaded-virtual -Wimplicit-fallthrough)
if(ROAMER_WERROR)
  target_compile_options(roamer_warnings INTERFACE -Werror)
endif()

# roamer_library(name SOURCES... DEPS...) defines one static library per folder of src/.
function(roamer_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS;SYSTEM_DEPS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${ARG_DEPS} PRIVATE roamer_warnings ${ARG_SYSTEM_DEPS})
endfunction()
