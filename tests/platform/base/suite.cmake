# A second process for the distributed notification tests (helpers/ is not globbed into
# the suite itself).
add_executable(notification_peer ${CMAKE_CURRENT_LIST_DIR}/helpers/NotificationPeer.cpp)
target_link_libraries(notification_peer PRIVATE velliumkit)
target_include_directories(notification_peer PRIVATE ${CMAKE_CURRENT_LIST_DIR})
vk_target_defaults(notification_peer)
add_dependencies(${suite} notification_peer)
target_include_directories(${suite} PRIVATE ${CMAKE_CURRENT_LIST_DIR})
target_compile_definitions(${suite} PRIVATE VK_NOTIFICATION_PEER="$<TARGET_FILE:notification_peer>")
