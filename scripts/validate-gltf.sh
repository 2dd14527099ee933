#!/usr/bin/env bash
# Checks a .glb or .gltf file with the Khronos glTF Validator (npm package gltf-validator),
# installed on first use into a cache folder (TESSALY_GLTF_VALIDATOR_DIR, default
# ~/.cache/tessaly-gltf-validator). Prints the validator's summary and issues; exits 1 when
# it reports any error, 2 on a usage error.
set -euo pipefail

if [ $# -ne 1 ]; then
  echo "usage: scripts/validate-gltf.sh FILE.glb|FILE.gltf" >&2
  exit 2
fi
FILE=$1
[ -f "$FILE" ] || { echo "validate-gltf: no file $FILE" >&2; exit 2; }

DIR=${TESSALY_GLTF_VALIDATOR_DIR:-$HOME/.cache/tessaly-gltf-validator}
if [ ! -f "$DIR/node_modules/gltf-validator/package.json" ]; then
  command -v npm >/dev/null || { echo "validate-gltf: needs node and npm" >&2; exit 1; }
  mkdir -p "$DIR"
  npm install --prefix "$DIR" --no-audit --no-fund --silent gltf-validator >&2
fi

NODE_PATH="$DIR/node_modules" node - "$FILE" <<'JS'
const fs = require('fs');
const path = require('path');
const validator = require('gltf-validator');
const file = process.argv[2];
const folder = path.dirname(path.resolve(file));
validator.validateBytes(new Uint8Array(fs.readFileSync(file)), {
  maxIssues: 50,
  externalResourceFunction: (uri) => new Promise((resolve, reject) => {
    fs.readFile(path.join(folder, decodeURIComponent(uri)), (err, data) =>
      err ? reject(err.toString()) : resolve(new Uint8Array(data)));
  }),
}).then((report) => {
  const i = report.issues;
  console.log(`${file}: ${i.numErrors} errors, ${i.numWarnings} warnings, ` +
              `${i.numInfos} infos, ${i.numHints} hints`);
  for (const m of i.messages)
    console.log(`  [${['error', 'warning', 'info', 'hint'][m.severity]}] ${m.code} ` +
                `${m.pointer || ''}: ${m.message}`);
  process.exit(i.numErrors > 0 ? 1 : 0);
}, (err) => { console.error(`validate-gltf: ${err}`); process.exit(1); });
JS
