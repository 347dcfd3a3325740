# Ships an exe without its debug information, which goes to <name>.debug beside it (found by
# debuggers through the exe's debug link). The debug sections of a mingw-w64 build are part of
# the image and would otherwise be read into memory at every start; the symbol table, which the
# .debug file keeps too, is most of what is left and only a debugger reads it.
function(ombrel_split_debug_info target)
  if(NOT MINGW OR NOT CMAKE_OBJCOPY)
    return()
  endif()
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_OBJCOPY} --only-keep-debug $<TARGET_FILE:${target}>
            $<TARGET_FILE:${target}>.debug
    COMMAND ${CMAKE_OBJCOPY} --strip-all
            --add-gnu-debuglink=$<TARGET_FILE:${target}>.debug $<TARGET_FILE:${target}>
    VERBATIM)
endfunction()
