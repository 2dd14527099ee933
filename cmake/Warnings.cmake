# tessaly_warnings(target): the warning set every project target builds with.
function(tessaly_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wshadow -Wno-unused-parameter)
endfunction()
