# Puts the model player's table into the report's text.
file(READ ${TABLE} TABLE)
configure_file(${TEMPLATE} ${OUT} @ONLY)
