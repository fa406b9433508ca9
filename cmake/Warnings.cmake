# shimwell_warnings(target): the project's warning set on one target.
function(shimwell_warnings target)
  target_compile_options(${target} PRIVATE
    -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wold-style-cast
    -Wcast-align -Wunused -Woverloaded-virtual -Wconversion -Wsign-conversion
    -Wnull-dereference -Wdouble-promotion -Wformat=2 -Wimplicit-fallthrough)
  if(SHIMWELL_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()
