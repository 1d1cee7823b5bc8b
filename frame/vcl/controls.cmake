# Controls, forms, application, clipboard, styles and the hosts.
list(APPEND VCL_SOURCES
)
