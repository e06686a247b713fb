# The width and height tables of the fonts the writer measures, made at build
# time by scripts/font-metrics from the metric-compatible free fonts (Debian's
# fonts-liberation2, fonts-crosextra-carlito and fonts-crosextra-caladea),
# read with fontTools (python3-fonttools). Sets VELLORAN_FONT_METRICS to the
# generated source.
set(_font_dirs /usr/share/fonts/truetype/liberation2 /usr/share/fonts/truetype/liberation
  /usr/share/fonts/truetype/crosextra /usr/share/fonts/truetype/carlito /usr/share/fonts/truetype/caladea)
set(_families
  "sans:LiberationSans:fonts-liberation2"
  "serif:LiberationSerif:fonts-liberation2"
  "mono:LiberationMono:fonts-liberation2"
  "calibri:Carlito:fonts-crosextra-carlito"
  "cambria:Caladea:fonts-crosextra-caladea")
set(_faces)
set(_files)
foreach(entry IN LISTS _families)
  string(REPLACE ":" ";" entry "${entry}")
  list(GET entry 0 family)
  list(GET entry 1 stem)
  list(GET entry 2 package)
  set(family_files)
  foreach(style Regular Bold Italic BoldItalic)
    unset(_font CACHE)
    find_file(_font ${stem}-${style}.ttf PATHS ${VELLORAN_FONT_DIRS} ${_font_dirs} NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
    if(NOT _font)
      message(FATAL_ERROR "${stem}-${style}.ttf not found: the writer's font metrics are made from it. "
        "Install the Debian package ${package}, or give its folder in VELLORAN_FONT_DIRS.")
    endif()
    list(APPEND family_files ${_font})
    list(APPEND _files ${_font})
    unset(_font CACHE)
  endforeach()
  list(JOIN family_files "," family_files)
  list(APPEND _faces "${family}=${family_files}")
endforeach()

# An interpreter with fontTools: the one CMake found, else the system's.
find_package(Python3 COMPONENTS Interpreter QUIET)
set(VELLORAN_FONTTOOLS_PYTHON "")
foreach(python ${Python3_EXECUTABLE} /usr/bin/python3)
  execute_process(COMMAND ${python} -c "import fontTools" RESULT_VARIABLE failed OUTPUT_QUIET ERROR_QUIET)
  if(NOT failed)
    set(VELLORAN_FONTTOOLS_PYTHON ${python})
    break()
  endif()
endforeach()
if(NOT VELLORAN_FONTTOOLS_PYTHON)
  message(FATAL_ERROR "No Python with fontTools, which reads the fonts' metrics: install python3-fonttools.")
endif()

set(VELLORAN_FONT_METRICS ${PROJECT_BINARY_DIR}/generated/font_metrics.cpp)
add_custom_command(OUTPUT ${VELLORAN_FONT_METRICS}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/generated
  COMMAND ${VELLORAN_FONTTOOLS_PYTHON} ${PROJECT_SOURCE_DIR}/scripts/font-metrics ${VELLORAN_FONT_METRICS} ${_faces}
  DEPENDS ${PROJECT_SOURCE_DIR}/scripts/font-metrics ${_files}
  COMMENT "Reading the fonts' metrics")
