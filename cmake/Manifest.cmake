# Application manifests of the Windows programs: every program runs as the
# invoking user and declares the systems from Vista to Windows 10 and 11;
# options add the themed common controls (version 6) and DPI awareness
# (per-monitor v2 where the system has it, else system-aware).
#
#   qpx_add_manifest(TARGET [COMMON_CONTROLS] [DPI_AWARE])
#
# The manifest is written to <build>/<TARGET>.manifest and linked in as
# resource 1 of type RT_MANIFEST, where Windows looks for an executable's.
set(QPX_MANIFEST_TEMPLATE ${CMAKE_CURRENT_LIST_DIR}/app.manifest.in)

function(qpx_add_manifest target)
  cmake_parse_arguments(ARG "COMMON_CONTROLS;DPI_AWARE" "" "" ${ARGN})
  set(QPX_MANIFEST_EXTRA "")
  if(ARG_COMMON_CONTROLS)
    string(APPEND QPX_MANIFEST_EXTRA [=[
  <dependency>
    <dependentAssembly>
      <assemblyIdentity type="win32" name="Microsoft.Windows.Common-Controls" version="6.0.0.0"
                        processorArchitecture="*" publicKeyToken="6595b64144ccf1df" language="*"/>
    </dependentAssembly>
  </dependency>
]=])
  endif()
  if(ARG_DPI_AWARE)
    string(APPEND QPX_MANIFEST_EXTRA [=[
  <application xmlns="urn:schemas-microsoft-com:asm.v3">
    <windowsSettings>
      <dpiAware xmlns="http://schemas.microsoft.com/SMI/2005/WindowsSettings">true</dpiAware>
      <dpiAwareness xmlns="http://schemas.microsoft.com/SMI/2016/WindowsSettings">PerMonitorV2, System</dpiAwareness>
    </windowsSettings>
  </application>
]=])
  endif()
  set(manifest ${CMAKE_CURRENT_BINARY_DIR}/${target}.manifest)
  set(resource ${CMAKE_CURRENT_BINARY_DIR}/${target}.manifest.rc)
  configure_file(${QPX_MANIFEST_TEMPLATE} ${manifest} @ONLY)
  file(CONFIGURE OUTPUT ${resource}
       CONTENT "1 24 \"${manifest}\"\n")
  target_sources(${target} PRIVATE ${resource})
  # MSVC's linker would add a manifest of its own beside this one.
  if(MSVC)
    target_link_options(${target} PRIVATE /MANIFEST:NO)
  endif()
  # The resource compiler reads the manifest: a changed manifest relinks.
  set_property(SOURCE ${resource} APPEND PROPERTY OBJECT_DEPENDS ${manifest})
endfunction()
