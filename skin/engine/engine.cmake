# The engine component, the hook and the registration tables, owner-drawn menus.
list(APPEND SKINENGINE_SOURCES)
