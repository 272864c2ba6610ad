# Each test runs with a home and XDG folders of its own under the build, made
# before the tests run and removed after them, so that nothing a test or Qt
# writes (a file dialog's history, font caches) reaches the home of whoever
# runs them.
set(MOSAICON_TEST_HOMES ${CMAKE_BINARY_DIR}/test-homes)

# One call adds a Qt Test executable, registers it with CTest and runs it on the
# offscreen platform, so no test ever needs a display.
function(mosaicon_add_test name)
    cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${T_SOURCES})
    target_link_libraries(${name} PRIVATE Qt6::Test ${T_LIBS})
    add_test(NAME ${name} COMMAND ${name})
    set(home ${MOSAICON_TEST_HOMES}/${name})
    # Qt makes the runtime folder itself, with the permissions it requires.
    set_tests_properties(${name} PROPERTIES
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;HOME=${home};XDG_CONFIG_HOME=${home}/.config;XDG_DATA_HOME=${home}/.local/share;XDG_CACHE_HOME=${home}/.cache;XDG_RUNTIME_DIR=${home}/runtime"
        FIXTURES_REQUIRED mosaicon_test_homes
        TIMEOUT 300)
    set_property(GLOBAL APPEND PROPERTY MOSAICON_TEST_HOME_FOLDERS ${home})
endfunction()

# The two steps around every test that give the tests their homes and take
# them away. Called once every test is defined.
function(mosaicon_add_test_homes)
    get_property(homes GLOBAL PROPERTY MOSAICON_TEST_HOME_FOLDERS)
    add_test(NAME mosaicon_test_homes_made
             COMMAND ${CMAKE_COMMAND} -E make_directory ${homes})
    add_test(NAME mosaicon_test_homes_removed
             COMMAND ${CMAKE_COMMAND} -E rm -rf ${MOSAICON_TEST_HOMES})
    set_tests_properties(mosaicon_test_homes_made PROPERTIES FIXTURES_SETUP mosaicon_test_homes)
    set_tests_properties(mosaicon_test_homes_removed PROPERTIES FIXTURES_CLEANUP mosaicon_test_homes)
endfunction()

# Every tst_*.cpp of a test folder becomes one test linked with that folder's
# libraries. NO_WIDGETS: the tests of a logic library build and link without
# Qt Widgets, as the library itself does.
function(mosaicon_add_test_folder)
    cmake_parse_arguments(F "NO_WIDGETS" "" "LIBS" ${ARGN})
    file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tst_*.cpp)
    foreach(source IN LISTS sources)
        get_filename_component(name ${source} NAME_WE)
        mosaicon_add_test(${name} SOURCES ${source} LIBS ${F_LIBS})
        if(F_NO_WIDGETS)
            mosaicon_keep_widget_free(${name})
        endif()
    endforeach()
endfunction()

# Keeps a target out of Qt Widgets: any Widgets header stops its compilation
# (a header of ours shadows the one they all include first, since Qt Core's
# include folder reaches them too), and mosaicon_check_widget_free() refuses
# any link that reaches the Widgets library.
function(mosaicon_keep_widget_free target)
    target_include_directories(${target} BEFORE PRIVATE ${PROJECT_SOURCE_DIR}/cmake/nowidgets)
    set_property(GLOBAL APPEND PROPERTY MOSAICON_WIDGET_FREE_LIBRARIES ${target})
endfunction()

# A library made of every source file of its folder. NO_WIDGETS marks one that
# holds the program's logic and keeps it free of Qt Widgets.
function(mosaicon_add_library name)
    cmake_parse_arguments(L "NO_WIDGETS" "" "LIBS" ${ARGN})
    file(GLOB sources CONFIGURE_DEPENDS
        ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
    add_library(${name} STATIC ${sources})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} PUBLIC ${L_LIBS})
    if(L_NO_WIDGETS)
        mosaicon_keep_widget_free(${name})
    endif()
endfunction()

# Walks what each widget-free target links, through every target it reaches,
# and stops the configuration at the first chain that ends in Qt Widgets.
# Called once every target, tests included, is defined.
function(mosaicon_check_widget_free)
    get_property(libraries GLOBAL PROPERTY MOSAICON_WIDGET_FREE_LIBRARIES)
    foreach(library IN LISTS libraries)
        set(seen "")
        set(queue ${library})
        set(chain_${library} ${library})
        while(queue)
            list(POP_FRONT queue current)
            if(current IN_LIST seen)
                continue()
            endif()
            list(APPEND seen ${current})
            if(current MATCHES "^Qt[0-9]*::Widgets$")
                string(REPLACE ";" " -> " chain "${chain_${current}}")
                message(FATAL_ERROR "${library} must not link Qt Widgets, but does: ${chain}")
            endif()
            if(NOT TARGET ${current})
                continue()
            endif()
            get_target_property(aliased ${current} ALIASED_TARGET)
            set(links "")
            if(aliased)
                set(links ${aliased})
            else()
                get_target_property(imported ${current} IMPORTED)
                if(NOT imported)
                    get_target_property(direct ${current} LINK_LIBRARIES)
                    if(direct)
                        list(APPEND links ${direct})
                    endif()
                endif()
                get_target_property(interface ${current} INTERFACE_LINK_LIBRARIES)
                if(interface)
                    list(APPEND links ${interface})
                endif()
            endif()
            foreach(link IN LISTS links)
                # Link-only entries name a library. Other generator expressions
                # cannot be followed here: Qt's own (build flags, platform
                # conditions) bring in no Widgets, and ours are refused, since
                # one could hide any library.
                if(link MATCHES "^\\$<LINK_ONLY:([^$<>]+)>$")
                    set(link ${CMAKE_MATCH_1})
                elseif(link MATCHES "\\$<")
                    string(REPLACE ";" " -> " chain "${chain_${current}}")
                    if(link MATCHES "Widgets")
                        message(FATAL_ERROR "${library} must not link Qt Widgets, but may: ${chain} -> ${link}")
                    endif()
                    get_target_property(imported ${current} IMPORTED)
                    if(NOT imported)
                        message(FATAL_ERROR "${library} must link its libraries by name, not through a generator expression: ${chain} -> ${link}")
                    endif()
                    continue()
                endif()
                if(NOT link IN_LIST seen)
                    if(NOT DEFINED chain_${link})
                        set(chain_${link} ${chain_${current}} ${link})
                    endif()
                    list(APPEND queue ${link})
                endif()
            endforeach()
        endwhile()
        foreach(name IN LISTS seen)
            unset(chain_${name})
        endforeach()
    endforeach()
endfunction()
