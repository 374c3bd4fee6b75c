# Helpers that games use from CMake (resource embedding comes with the
# archive).
