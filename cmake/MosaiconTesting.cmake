# One call adds a Qt Test executable, registers it with CTest and runs it on the
# offscreen platform, so no test ever needs a display.
function(mosaicon_add_test name)
    cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${T_SOURCES})
    target_link_libraries(${name} PRIVATE Qt6::Test ${T_LIBS})
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
        TIMEOUT 300)
endfunction()

# Every tst_*.cpp of a test folder becomes one test linked with that folder's libraries.
function(mosaicon_add_test_folder)
    cmake_parse_arguments(F "" "" "LIBS" ${ARGN})
    file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tst_*.cpp)
    foreach(source IN LISTS sources)
        get_filename_component(name ${source} NAME_WE)
        mosaicon_add_test(${name} SOURCES ${source} LIBS ${F_LIBS})
    endforeach()
endfunction()

# A library made of every source file of its folder.
function(mosaicon_add_library name)
    cmake_parse_arguments(L "" "" "LIBS" ${ARGN})
    file(GLOB sources CONFIGURE_DEPENDS
        ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
    add_library(${name} STATIC ${sources})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} PUBLIC ${L_LIBS})
endfunction()
