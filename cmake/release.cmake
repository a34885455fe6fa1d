# The release this tree builds, beside the version of the project() line: its date (the Debian changelog,
# the AppStream entry) and who answers for the Debian packages built from it.
set(TESSARIN_RELEASE_DATE 2026-12-08)

# A distributor names themselves here: -DTESSARIN_MAINTAINER="Name <address>". The team has no address
# of its own, so the default's domain is one that can never be reached (".invalid" is reserved for that).
set(TESSARIN_MAINTAINER "Tessarin-Team <tessarin@tessarin.invalid>" CACHE STRING
    "Maintainer field of the Debian packages and signature of their changelog")

# The release date as the packages and archives give it to every file they hold, so that the same tree
# packs into the same bytes wherever and whenever it is built: as seconds since 1970 (midnight UTC), the
# form of SOURCE_DATE_EPOCH, which a distributor's build may set instead.
if(DEFINED ENV{SOURCE_DATE_EPOCH})
    set(TESSARIN_SOURCE_DATE_EPOCH $ENV{SOURCE_DATE_EPOCH})
else()
    execute_process(COMMAND date -u -d "${TESSARIN_RELEASE_DATE}" +%s
                    OUTPUT_VARIABLE TESSARIN_SOURCE_DATE_EPOCH OUTPUT_STRIP_TRAILING_WHITESPACE
                    COMMAND_ERROR_IS_FATAL ANY)
endif()
