// Runs the Khronos glTF validator on one file and prints its counts as
// "errors N warnings M", then the messages.
const fs = require('fs');
const validator = require(process.argv[2]);
validator.validateBytes(new Uint8Array(fs.readFileSync(process.argv[3])))
    .then((report) => {
        console.log(`errors ${report.issues.numErrors} warnings ${report.issues.numWarnings}`);
        for (const m of report.issues.messages) console.log(`${m.code} ${m.pointer || ''} ${m.message}`);
    })
    .catch((error) => {
        console.log(`errors 1 warnings 0\n${error}`);
    });
