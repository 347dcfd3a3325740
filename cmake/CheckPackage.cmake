# A test: the release zip holds exactly what a user needs, in one folder.
#   cmake -DZIP=<path> -DFOLDER=<name> -P CheckPackage.cmake
execute_process(COMMAND ${CMAKE_COMMAND} -E tar tf ${ZIP}
                OUTPUT_VARIABLE listing RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cannot read ${ZIP}: build the package target first")
endif()
string(REPLACE "\n" ";" files "${listing}")
list(FILTER files EXCLUDE REGEX "/$|^$")
list(SORT files)
set(expected ${FOLDER}/LICENSE ${FOLDER}/Ombrel.exe ${FOLDER}/OmbrelGuard.exe ${FOLDER}/README.md
             ${FOLDER}/SampleQx3Service.exe ${FOLDER}/settings.schema.json)
if(NOT files STREQUAL expected)
  message(FATAL_ERROR "the zip holds:\n  ${files}\nexpected:\n  ${expected}")
endif()
message(STATUS "${ZIP}: ${files}")
