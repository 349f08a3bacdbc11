# Stocktaking: its window, its scanner field and its two statements.
list(APPEND GUI_SOURCES
)
