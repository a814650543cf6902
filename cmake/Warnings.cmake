# One place decides the warnings every target of ours is built with.
function(quoli_warnings target)
  target_compile_options(${target} PRIVATE
    -Wall -Wextra -Wshadow -Wconversion
    -Wnon-virtual-dtor -Woverloaded-virtual)
endfunction()
