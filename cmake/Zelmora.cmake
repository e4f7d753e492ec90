# Shared options and helper functions of the Zelmora build.

add_library(zelmora_options INTERFACE)
target_compile_options(zelmora_options INTERFACE -Wall -Wextra
	$<$<COMPILE_LANGUAGE:CXX>:-Wno-multichar>)
target_compile_definitions(zelmora_options INTERFACE _GNU_SOURCE)

if(ZELMORA_FUZZ)
	# Everything is instrumented for coverage and checked by the sanitizers;
	# only the fuzz programs link libFuzzer's main.
	set(ZELMORA_SAN -fsanitize=address,undefined -fno-sanitize-recover=undefined)
	target_compile_options(zelmora_options INTERFACE
		-fsanitize=fuzzer-no-link ${ZELMORA_SAN} -g)
	target_link_options(zelmora_options INTERFACE ${ZELMORA_SAN})
	add_custom_target(fuzzers)
endif()

# zelmora_library(name [QT] SOURCES ... LIBS ...)
# A static kit library whose folder is also its public include directory.
function(zelmora_library name)
	cmake_parse_arguments(A "" "" "SOURCES;LIBS" ${ARGN})
	add_library(${name} STATIC ${A_SOURCES})
	target_include_directories(${name} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
	target_link_libraries(${name} PUBLIC zelmora_options ${A_LIBS})
endfunction()

# zelmora_test(name SOURCES ... LIBS ... [ENV k=v ...])
# A GoogleTest program, registered test by test with CTest.
find_program(ZELMORA_ENV_PROGRAM env REQUIRED)
function(zelmora_test name)
	if(ZELMORA_FUZZ)
		return()
	endif()
	cmake_parse_arguments(A "" "" "SOURCES;LIBS;ENV" ${ARGN})
	add_executable(${name} ${A_SOURCES})
	set_target_properties(${name} PROPERTIES
		RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
	target_link_libraries(${name} PRIVATE zelmora_options ${A_LIBS}
		GTest::gtest GTest::gtest_main Threads::Threads)
	target_compile_definitions(${name} PRIVATE
		ZELMORA_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
		ZELMORA_BINARY_DIR="${CMAKE_BINARY_DIR}")
	# The environment goes in through env(1) as the test's launcher: a list
	# handed to the ENVIRONMENT property loses all but its first entry on
	# its way through test discovery.
	set_target_properties(${name} PROPERTIES CROSSCOMPILING_EMULATOR
		"${ZELMORA_ENV_PROGRAM};QT_QPA_PLATFORM=offscreen;${A_ENV}")
	gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60
		PROPERTIES TIMEOUT 300)
endfunction()

# zelmora_fuzzer(name SOURCES ... LIBS ...)
# A libFuzzer program; exists only in the fuzz build (clang).
function(zelmora_fuzzer name)
	if(NOT ZELMORA_FUZZ)
		return()
	endif()
	cmake_parse_arguments(A "" "" "SOURCES;LIBS" ${ARGN})
	add_executable(${name} ${A_SOURCES})
	set_target_properties(${name} PROPERTIES
		RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fuzz)
	target_link_libraries(${name} PRIVATE zelmora_options ${A_LIBS})
	target_link_options(${name} PRIVATE -fsanitize=fuzzer)
	add_dependencies(fuzzers ${name})
endfunction()

# zelmora_benchmark(name SOURCES ... LIBS ...)
# A Google Benchmark program; reports figures, is not a test.
function(zelmora_benchmark name)
	if(ZELMORA_FUZZ OR NOT benchmark_FOUND)
		return()
	endif()
	cmake_parse_arguments(A "" "" "SOURCES;LIBS" ${ARGN})
	add_executable(${name} ${A_SOURCES})
	set_target_properties(${name} PROPERTIES
		RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
	target_link_libraries(${name} PRIVATE zelmora_options ${A_LIBS}
		benchmark::benchmark Threads::Threads)
endfunction()
