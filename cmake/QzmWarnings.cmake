# Warnings are errors in both builds; the portable core also gets -Wconversion.
function(qzm_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
endfunction()

function(qzm_core_warnings target)
  qzm_warnings(${target})
  target_compile_options(${target} PRIVATE -Wconversion)
endfunction()
