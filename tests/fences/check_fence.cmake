# Builds PROBE in BUILD_DIR and passes only when the build fails because HEADER is not found.
# In the C locale, so that the compiler says so in the words looked for.
execute_process(COMMAND "${CMAKE_COMMAND}" -E env LC_ALL=C
        "${CMAKE_COMMAND}" --build "${BUILD_DIR}" --target "${PROBE}"
    RESULT_VARIABLE built OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(built EQUAL 0)
    message(FATAL_ERROR "${PROBE} built: ${HEADER} is not fenced off")
endif()
string(FIND "${output}" "${HEADER}: No such file or directory" fenced)
if(fenced EQUAL -1)
    message(FATAL_ERROR "${PROBE} failed, but not on ${HEADER}:\n${output}")
endif()
