# Shared build settings: warnings, program texts as GBK, a static runtime, embedded byte sets.

if(MSVC)
  add_compile_options(/utf-8 /execution-charset:.936)
else()
  # Sources are UTF-8; the program's texts are GBK (code page 936) bytes in the binary.
  # GB18030 gives the same bytes for every GBK character and can still encode the few
  # non-GBK characters in the standard headers (the "µs" of <chrono>).
  add_compile_options($<$<COMPILE_LANGUAGE:CXX>:-fexec-charset=GB18030>)
endif()
add_compile_definitions(NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)

function(lanzhou_warnings target)
  if(MSVC)
    target_compile_options(${target} PRIVATE /W4)
  else()
    target_compile_options(${target} PRIVATE -Wall -Wextra)
  endif()
endfunction()

# The program and its tools need only system DLLs.
function(lanzhou_static_runtime target)
  if(NOT MSVC)
    target_link_options(${target} PRIVATE -static -static-libgcc -static-libstdc++)
  endif()
endfunction()

# lanzhou_embed_bytes(TARGET tgt SYMBOL Name INPUT file [DEPENDS ...])
# Compiles a file into TARGET as `extern const EmbeddedByteSet Name` (see resources/byte_set.h).
function(lanzhou_embed_bytes)
  cmake_parse_arguments(E "" "TARGET;SYMBOL;INPUT" "DEPENDS" ${ARGN})
  set(out ${LANZHOU_GENERATED_DIR}/embedded/${E_SYMBOL}.cpp)
  add_custom_command(
    OUTPUT ${out}
    COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/tools/embed_bytes.py ${E_INPUT} ${E_SYMBOL} ${out}
    DEPENDS ${E_INPUT} ${CMAKE_SOURCE_DIR}/tools/embed_bytes.py ${E_DEPENDS}
    COMMENT "Embedding ${E_SYMBOL}"
    VERBATIM)
  target_sources(${E_TARGET} PRIVATE ${out})
endfunction()

# Release programs are stripped: no symbols or debug information in what is shipped, and no
# function or data that nothing uses.
if(NOT MSVC)
  add_compile_options($<$<CONFIG:Release>:-ffunction-sections> $<$<CONFIG:Release>:-fdata-sections>)
  add_link_options($<$<CONFIG:Release>:-s> $<$<CONFIG:Release>:-Wl,--gc-sections>)
endif()
