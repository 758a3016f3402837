# Warnings on for our own targets; call vx_warnings(target) on each.
function(vx_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wshadow -Wno-unused-parameter)
endfunction()
