# The session and its checks, shared by the fuzz target and by the regression replay that the
# ordinary build runs (tests/fuzz_replay), so both play an input exactly alike.
set(TAVROL_FUZZ_SESSION_SOURCES ${CMAKE_CURRENT_LIST_DIR}/session.cpp ${CMAKE_CURRENT_LIST_DIR}/events.cpp
                                 ${CMAKE_CURRENT_LIST_DIR}/checks.cpp ${CMAKE_CURRENT_LIST_DIR}/check_text.cpp)
set(TAVROL_FUZZ_REPLAY_MAIN ${CMAKE_CURRENT_LIST_DIR}/replay_main.cpp)
set(TAVROL_FUZZ_CORPUS_DIR ${CMAKE_CURRENT_LIST_DIR}/corpus)
set(TAVROL_FUZZ_REGRESSIONS_DIR ${CMAKE_CURRENT_LIST_DIR}/regressions)
