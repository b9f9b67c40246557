# The download tests talk to the project's own local HTTPS server script.
target_compile_definitions(${suite} PRIVATE VK_REPOSITORY_SERVER="${PROJECT_SOURCE_DIR}/scripts/repository-server")
