"""Turns the raw lines of scripts/bench into one Markdown table."""
import platform
import re
import subprocess
import sys


def main(raw_path, core_path, runs):
    rows = {}
    sizes = []
    for line in open(raw_path, encoding="utf-8"):
        label, _, rest = line.strip().partition(": ")
        fields = rest.split()
        if label.startswith("size"):
            parts = label.split()
            sizes.append((parts[1], parts[2] if len(parts) > 2 else "orvel-helper", int(fields[0]),
                          " ".join(fields[1:])))
            continue
        if len(fields) < 4 or fields[1] == "failed":
            rows.setdefault(label, {})[fields[0] if fields else "?"] = None
            continue
        entry = {"median": float(fields[1]), "min": float(fields[2]), "max": float(fields[3])}
        if "peak-working-set-kb" in fields:
            entry["peak"] = int(fields[fields.index("peak-working-set-kb") + 1])
        rows.setdefault(label, {})[fields[0]] = entry

    cpu = subprocess.run(["sh", "-c", "grep -m1 'model name' /proc/cpuinfo | cut -d: -f2"],
                         capture_output=True, text=True).stdout.strip()
    wine = subprocess.run(["wine", "--version"], capture_output=True, text=True).stdout.strip()
    print(f"Machine: {cpu}, {platform.machine()}, {subprocess.run(['nproc'], capture_output=True, text=True).stdout.strip()} cores; "
          f"{platform.system()} {platform.release()}; {wine}; medians of {runs} runs (min to max).\n")

    print("| what | size | file size | imports |")
    print("|---|---|---|---|")
    for arch, program, size, dlls in sizes:
        print(f"| {arch} {program}.exe | {size / 1024:.0f} KB | {size} bytes | {dlls} |")
    print()

    def fmt(entry):
        if entry is None:
            return "failed"
        return f"{entry['median']:.1f} ms ({entry['min']:.1f} to {entry['max']:.1f})"

    print("| measure | ours | next to | next to it | ratio |")
    print("|---|---|---|---|---|")
    for label, results in rows.items():
        # Ours is the program the row measures: the window, or the console program.
        ours_name = next((name for name in results if name.startswith("orvel-")), "orvel-helper")
        ours = results.get(ours_name)
        for other_name, other in results.items():
            if other_name == ours_name:
                continue
            ratio = f"{ours['median'] / other['median']:.2f}" if ours and other else "-"
            print(f"| {label} | {fmt(ours)} | {other_name} | {fmt(other)} | {ratio} |")
    print()

    peaks = [(label, r["orvel-helper"]["peak"]) for label, r in rows.items()
             if r.get("orvel-helper") and "peak" in r["orvel-helper"]]
    if peaks:
        label, peak = max(peaks, key=lambda p: p[1])
        print(f"Peak working set of the window process: {peak} KB (largest, during '{label}').\n")

    print("Core, natively (Google Benchmark, CPU time):\n")
    print("| benchmark | CPU time |")
    print("|---|---|")
    for line in open(core_path, encoding="utf-8"):
        match = re.match(r"^(BM_\S+)\s+([\d.]+) (\w+)\s+([\d.]+) (\w+)", line)
        if match:
            print(f"| {match.group(1)} | {match.group(4)} {match.group(5)} |")


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2], sys.argv[3])
