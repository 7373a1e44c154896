#!/usr/bin/env python3
"""Checks the tables of a per-user MSI (read with msiinfo of msitools) against
the rules Windows Installer's validation names, one line per row checked:
  ICE38  a component installed into the user's profile has an HKCU registry
         value as its key path;
  ICE43  a component with a non-advertised shortcut has an HKCU key path;
  ICE64  each folder the MSI creates in the user's profile is removed on
         uninstall (a RemoveFile row for the folder itself);
and that a rebuild of the same version replaces the installed one (the major
upgrade's row includes its own version, msidbUpgradeAttributesVersionMaxInclusive).
Usage: check-msi-tables.py PACKAGE.msi; exits non-zero when a row breaks a rule."""

import subprocess
import sys

PROFILE = {"LocalAppDataFolder", "AppDataFolder", "ProgramMenuFolder", "StartMenuFolder", "DesktopFolder",
           "StartupFolder", "PersonalFolder", "TempFolder"}  # standard folders of the user's profile
HKCU = "1"
REGISTRY_KEY_PATH = 4  # msidbComponentAttributesRegistryKeyPath
VERSION_MAX_INCLUSIVE = 512


def table(msi, name):
    lines = subprocess.run(["msiinfo", "export", msi, name], capture_output=True, text=True,
                           check=True).stdout.splitlines()
    columns = lines[0].split("\t")
    return [dict(zip(columns, line.split("\t") + [""] * len(columns))) for line in lines[3:] if line]


def main(msi):
    directories = {row["Directory"]: row["Directory_Parent"] for row in table(msi, "Directory")}
    components = {row["Component"]: row for row in table(msi, "Component")}
    registry = {row["Registry"]: row for row in table(msi, "Registry")}
    removed = {row["DirProperty"] for row in table(msi, "RemoveFile") if row["FileName"] == ""}

    def in_profile(directory):
        while directory:
            if directory in PROFILE:
                return True
            directory = directories.get(directory)
        return False

    def hkcu_key_path(component):
        row = components[component]
        return (int(row["Attributes"]) & REGISTRY_KEY_PATH != 0
                and registry.get(row["KeyPath"], {}).get("Root") == HKCU)

    failures = 0

    def rule(ok, text):
        nonlocal failures
        failures += not ok
        print(("ok    " if ok else "FAIL  ") + text)

    for name, row in sorted(components.items()):
        if in_profile(row["Directory_"]):
            rule(hkcu_key_path(name), f"ICE38 component {name} in {row['Directory_']}: an HKCU key path")
    for row in table(msi, "Shortcut"):
        if row["Target"].startswith("["):  # a path, not a feature: not advertised
            rule(hkcu_key_path(row["Component_"]), f"ICE43 shortcut {row['Shortcut']}: its component "
                 f"{row['Component_']} has an HKCU key path")
    for directory in sorted(directories):
        if directory not in PROFILE and in_profile(directory):
            rule(directory in removed, f"ICE64 folder {directory}: removed on uninstall")
    upgrades = [row for row in table(msi, "Upgrade") if row["ActionProperty"] == "WIX_UPGRADE_DETECTED"]
    rule(len(upgrades) == 1 and int(upgrades[0]["Attributes"]) & VERSION_MAX_INCLUSIVE != 0,
         "the major upgrade includes its own version (a rebuild replaces the installed one)")
    print(f"{msi}: {failures} rows break a rule")
    return failures == 0


if __name__ == "__main__":
    sys.exit(0 if main(sys.argv[1]) else 1)
