# Runs one fuzz target over its committed corpus and RUNS inputs from seed 1.
# New inputs go to a fresh WORK folder, never into the committed corpus.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/new ${WORK}/crashes)
execute_process(COMMAND ${FUZZER} -seed=1 -runs=${RUNS} -artifact_prefix=${WORK}/crashes/ ${WORK}/new ${CORPUS}
                RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${FUZZER} failed (${result}); the input is in ${WORK}/crashes")
endif()
