# orvalen_library(<folder> DEPS <targets...> [EXCLUDE <files...>])
# Builds src/<folder>/*.cpp into the static library orvalen_<folder>.
function(orvalen_library folder)
  cmake_parse_arguments(ARG "" "" "DEPS;EXCLUDE" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/${folder}/*.cpp)
  file(GLOB headers CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/${folder}/*.h)
  foreach(skip IN LISTS ARG_EXCLUDE)
    list(FILTER sources EXCLUDE REGEX "/${skip}$")
  endforeach()
  set(target orvalen_${folder})
  if(NOT sources)
    message(FATAL_ERROR "orvalen_library(${folder}): src/${folder} has no sources")
  endif()
  add_library(${target} STATIC ${sources} ${headers})
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${target} PUBLIC ${ARG_DEPS} Qt6::Core Qt6::Gui Qt6::Widgets)
  target_compile_definitions(${target} PUBLIC SQLITE_HAS_CODEC=1
    ORVALEN_VERSION_MAJOR=${PROJECT_VERSION_MAJOR} ORVALEN_VERSION_MINOR=${PROJECT_VERSION_MINOR})
  list(APPEND ORVALEN_LIBRARIES ${target})
  set(ORVALEN_LIBRARIES ${ORVALEN_LIBRARIES} PARENT_SCOPE)
  if(NOT TARGET orvalen_all_windows)
    add_library(orvalen_all_windows INTERFACE)
  endif()
  target_link_libraries(orvalen_all_windows INTERFACE ${target})
endfunction()

# orvalen_test_environment(<test executable> <qt platform>)
# Gives every discovered test of the executable its environment. The
# PROPERTIES of gtest_discover_tests cannot carry a list (an ENVIRONMENT with
# several variables loses all but the first), so the environment is set by a
# CTest include file that runs after the discovered tests are known.
function(orvalen_test_environment target platform)
  set(env "QT_QPA_PLATFORM=${platform};ORVALEN_PROGRAM_TEMPLATE=${ORVALEN_PROGRAM_DIR};ORVALEN_SOURCE_DIR=${PROJECT_SOURCE_DIR}")
  set(script ${CMAKE_CURRENT_BINARY_DIR}/${target}_environment.cmake)
  file(WRITE ${script}
    "if(${target}_LIST)\n"
    "  set_tests_properties(\${${target}_LIST} PROPERTIES ENVIRONMENT [==[${env}]==])\n"
    "endif()\n")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${script})
endfunction()

# orvalen_tests(<folder> LIBS <targets...>)
# tests/<folder>/*_test.cpp  -> <folder>_tests, run offscreen.
# tests/<folder>/x11/*_test.cpp -> <folder>_x11_tests, run on the real X server
# (Xvfb in the test command), one at a time since key grabs and focus are global.
function(orvalen_tests folder)
  cmake_parse_arguments(ARG "" "" "LIBS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*_test.cpp)
  if(sources)
    add_executable(${folder}_tests ${sources})
    target_link_libraries(${folder}_tests PRIVATE orvalen_test_support ${ARG_LIBS})
    gtest_discover_tests(${folder}_tests DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
      TEST_LIST ${folder}_tests_LIST PROPERTIES TIMEOUT 120)
    orvalen_test_environment(${folder}_tests offscreen)
    add_dependencies(${folder}_tests program_folder)
  endif()
  file(GLOB xsources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/x11/*_test.cpp)
  if(xsources)
    add_executable(${folder}_x11_tests ${xsources})
    target_link_libraries(${folder}_x11_tests PRIVATE orvalen_test_support ${ARG_LIBS})
    gtest_discover_tests(${folder}_x11_tests DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
      TEST_LIST ${folder}_x11_tests_LIST PROPERTIES RUN_SERIAL TRUE TIMEOUT 180)
    orvalen_test_environment(${folder}_x11_tests xcb)
    add_dependencies(${folder}_x11_tests program_folder)
  endif()
endfunction()

# orvalen_soname(<variable> <pkg-config prefix> <name>)
# The SONAME of lib<name> as pkg-config found it (in <prefix>_LINK_LIBRARIES):
# the file name the program hands to dlopen for a library it loads late.
function(orvalen_soname variable prefix name)
  if(NOT CMAKE_READELF)
    message(FATAL_ERROR "readelf is needed to read the SONAME of lib${name}")
  endif()
  foreach(file IN LISTS ${prefix}_LINK_LIBRARIES)
    get_filename_component(base ${file} NAME)
    if(base MATCHES "^lib${name}\\.so")
      execute_process(COMMAND ${CMAKE_READELF} -d ${file} OUTPUT_VARIABLE dynamic RESULT_VARIABLE failed)
      if(NOT failed AND dynamic MATCHES "Library soname: \\[([^]\n]+)\\]")
        set(${variable} ${CMAKE_MATCH_1} PARENT_SCOPE)
        return()
      endif()
    endif()
  endforeach()
  message(FATAL_ERROR "No SONAME of lib${name} found in '${${prefix}_LINK_LIBRARIES}'")
endfunction()

# orvalen_headers_of(<target> <imported targets...>)
# Compiles <target> against the headers of libraries it loads at run time
# without linking them.
function(orvalen_headers_of target)
  foreach(library IN LISTS ARGN)
    target_include_directories(${target} PUBLIC $<TARGET_PROPERTY:${library},INTERFACE_INCLUDE_DIRECTORIES>)
    target_compile_options(${target} PUBLIC $<TARGET_PROPERTY:${library},INTERFACE_COMPILE_OPTIONS>)
  endforeach()
endfunction()
