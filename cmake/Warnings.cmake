# Warnings are set per target so that system headers stay out of it.
function(k30_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow)
endfunction()
