# velliumkit_add_bundle(NAME SOURCE...): a tweak's preference bundle library, NAME.so, linked
# against the one shared kit and left with no unresolved symbol. Comes with
# find_package(VelliumKit); the kit's own tree uses it for its example bundles.
function(velliumkit_add_bundle name)
  add_library(${name} MODULE ${ARGN})
  set_target_properties(${name} PROPERTIES PREFIX "" SUFFIX ".so" CXX_STANDARD 20 CXX_STANDARD_REQUIRED ON)
  target_link_libraries(${name} PRIVATE VelliumKit::velliumkit)
  if(COMMAND vk_target_defaults)
    vk_target_defaults(${name})
    target_link_options(${name} PRIVATE ${VK_NO_UNDEFINED})
  else()
    target_link_options(${name} PRIVATE -Wl,--no-undefined)
  endif()
endfunction()
