# The layers check on a small tree of its own: it passes while base only
# forward-declares what it may, and fails once base forward-declares a type
# that problem defines.
# Run as: cmake -DCHECK=<CheckLayers.cmake> -DWORK_DIR=<scratch folder> -P CheckLayersOnSample.cmake
cmake_minimum_required(VERSION 3.25)
set(tree ${WORK_DIR}/src)
file(REMOVE_RECURSE ${tree})
file(WRITE ${tree}/problem/Editor.h "#pragma once\n\nstruct Workspace;\n\nclass Editor : public Base {\npublic:\n    int rows = 0;\n};\n")
file(WRITE ${tree}/base/Port.h "#pragma once\n\nclass QImage;\n\nclass Port {\n};\n")
file(WRITE ${tree}/workspace/Workspace.h "#pragma once\n\nstruct Workspace {\n    int p = 0;\n};\n")
file(WRITE ${tree}/solutions/Uses.h "#pragma once\n\nclass Editor;\nclass Port;\n")

function(run_check expect_ok)
  execute_process(COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${tree} -P ${CHECK} RESULT_VARIABLE result
                  OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(expect_ok AND NOT result EQUAL 0)
    message(FATAL_ERROR "a tree in order was refused:\n${out}${err}")
  endif()
  if(NOT expect_ok)
    if(result EQUAL 0)
      message(FATAL_ERROR "a forward declaration against the order passed")
    endif()
    if(NOT err MATCHES "base/Port.h declares Editor of problem")
      message(FATAL_ERROR "refused for another reason:\n${err}")
    endif()
  endif()
endfunction()

run_check(TRUE)
file(WRITE ${tree}/base/Port.h "#pragma once\n\nclass QImage;\nclass Editor;\n\nclass Port {\n};\n")
run_check(FALSE)
message(STATUS "forward declarations against the order are caught")
