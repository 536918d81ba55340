# Fails when a program of the Windows build waits on an atomic: the C++ runtime of
# mingw-w64 before GCC 12.3 loses wake-ups there (it checks the value before it takes the
# lock it waits under), so such a wait can hang for good on a clerk's PC. Every wait and
# notify of an atomic, std::latch, std::barrier and a semaphore not on POSIX semaphores
# goes through the runtime's pool of waiters, whose symbols stay in the program even
# where the calls are inlined.
#   cmake -DNM=<nm> -DSTAMP=<file> -DPROGRAMS=<a;b;...> -P no_atomic_waits.cmake
foreach(program IN LISTS PROGRAMS)
    execute_process(COMMAND ${NM} ${program} OUTPUT_VARIABLE symbols RESULT_VARIABLE failed)
    if(failed)
        message(FATAL_ERROR "cannot read the symbols of ${program}")
    endif()
    string(REGEX MATCH "[^\n ]*__waiter_pool[^\n]*" waiter "${symbols}")
    # Said on one line, as CMake's error messages are folded.
    if(waiter)
        message(NOTICE "${program} waits on an atomic (${waiter}): use a mutex and a "
                       "condition variable, which the Windows runtime does not lose")
        message(FATAL_ERROR "a program of the Windows build waits on an atomic")
    endif()
endforeach()
file(TOUCH ${STAMP})
