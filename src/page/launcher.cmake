target_sources(quorra_platform PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/QtProgramLauncher.cpp
)
