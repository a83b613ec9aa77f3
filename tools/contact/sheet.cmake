# The pictures in play order (fields, then the boss fight, then the ending) on one sheet.
file(GLOB fields ${DIR}/field*.ppm)
file(GLOB bosses ${DIR}/boss*.ppm)
list(SORT fields)
set(pictures ${fields} ${bosses})
if(EXISTS ${DIR}/ending.ppm)
  list(APPEND pictures ${DIR}/ending.ppm)
endif()
if(NOT GEOMETRY)
  set(GEOMETRY 320x240)
endif()
if(NOT TILE)
  set(TILE 5x)
endif()
execute_process(
  COMMAND ${MONTAGE} ${pictures} -tile ${TILE} -geometry ${GEOMETRY}+4+4
          -background "#202020" ${OUT}
  RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "montage failed")
endif()
